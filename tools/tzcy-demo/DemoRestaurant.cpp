#include "DemoRestaurant.h"

#include "core/session/Md5Hex.h"

namespace demo {

const QVector<Area>& Areas() {
    static const QVector<Area> v{
        {"A01", "大厅"}, {"A02", "包厢区"}, {"A03", "二楼"}, {"A04", "露台"}};
    return v;
}

const QVector<TableType>& TableTypes() {
    static const QVector<TableType> v{{"T01", "散台"}, {"T02", "包厢"}, {"T03", "卡座"}};
    return v;
}

const QVector<BigCategory>& BigCategories() {
    static const QVector<BigCategory> v{{"B01", "凉菜"}, {"B02", "热菜"}, {"B03", "汤羹"},
                                        {"B04", "主食"}, {"B05", "酒水"}, {"B06", "套餐"}};
    return v;
}

const QVector<Category>& Categories() {
    static const QVector<Category> v{
        {"S01", "凉菜", "B01", false, 1, "K01"},    {"S02", "卤味", "B01", false, 1, "K01"},
        {"S03", "热炒", "B02", false, 2, "K02"},    {"S04", "海鲜", "B02", false, 2, "K03"},
        {"S05", "素菜", "B02", false, 3, "K02"},    {"S06", "汤羹", "B03", false, 4, "K02"},
        {"S07", "主食", "B04", false, 5, "K04"},    {"S08", "点心", "B04", false, 0, "K04"},
        {"S09", "酒水饮料", "B05", true, 0, "K05"}, {"S10", "套餐", "B06", false, 0, "K02"},
    };
    return v;
}

const QVector<Dish>& Menu() {
    static const QVector<Dish> v{
        {"M001", "拍黄瓜", "PHG", "份", "S01", 10, 18},
        {"M002", "夫妻肺片", "FQFP", "份", "S01", 10, 38},
        {"M003", "口水鸡", "KSJ", "份", "S01", 10, 42},
        {"M004", "凉拌木耳", "LBME", "份", "S01", 10, 22},
        {"M005", "皮蛋豆腐", "PDDF", "份", "S01", 10, 20},
        {"M006", "蒜泥白肉", "SNBR", "份", "S01", 12, 36},
        {"M007", "老醋花生", "LCHS", "份", "S01", 0, 16},
        {"M008", "卤牛肉", "LNR", "份", "S02", 8, 48},
        {"M009", "卤鸭脖", "LYB", "份", "S02", 8, 28},
        {"M010", "盐水鸭", "SYY", "份", "S02", 8, 45},
        {"M011", "宫保鸡丁", "GBJD", "份", "S03", 18, 38},
        {"M012", "鱼香肉丝", "YXRS", "份", "S03", 18, 32},
        {"M013", "回锅肉", "HGR", "份", "S03", 18, 36},
        {"M014", "麻婆豆腐", "MPDF", "份", "S03", 15, 22},
        {"M015", "水煮牛肉", "SZNR", "份", "S03", 22, 58},
        {"M016", "辣子鸡", "LZJ", "份", "S03", 20, 52},
        {"M017", "京酱肉丝", "JJRS", "份", "S03", 18, 38},
        {"M018", "糖醋里脊", "TCLJ", "份", "S03", 20, 42},
        {"M019", "农家小炒肉", "NJXCR", "份", "S03", 18, 36},
        {"M020", "东坡肉", "DPR", "份", "S03", 30, 68},
        {"M021", "红烧肉", "HSR", "份", "S03", 30, 58},
        {"M022", "干锅花菜", "GGHC", "份", "S03", 0, 32},
        {"M023", "北京烤鸭", "BJKY", "只", "S03", 40, 168},
        {"M024", "孜然羊肉", "ZRYR", "份", "S03", 20, 62},
        {"M025", "清蒸鲈鱼", "QZLY", "条", "S04", 25, 88},
        {"M026", "剁椒鱼头", "DJYT", "份", "S04", 30, 78},
        {"M027", "油焖大虾", "YMDX", "份", "S04", 25, 98},
        {"M028", "蒜蓉粉丝蒸扇贝", "SRFSZSB", "位", "S04", 20, 18},
        {"M029", "香辣蟹", "XLX", "份", "S04", 30, 128},
        {"M030", "酸菜鱼", "SCY", "份", "S04", 25, 68},
        {"M031", "清炒时蔬", "QCSS", "份", "S05", 12, 22},
        {"M032", "地三鲜", "DSX", "份", "S05", 15, 26},
        {"M033", "干煸四季豆", "GBSJD", "份", "S05", 15, 28},
        {"M034", "蒜蓉西兰花", "SRXLH", "份", "S05", 12, 26},
        {"M035", "手撕包菜", "SSBC", "份", "S05", 0, 20},
        {"M036", "西湖牛肉羹", "XHNRG", "例", "S06", 20, 38},
        {"M037", "酸辣汤", "SLT", "例", "S06", 15, 26},
        {"M038", "番茄蛋花汤", "FQDHT", "例", "S06", 15, 22},
        {"M039", "老鸭汤", "LYT", "例", "S06", 35, 68},
        {"M040", "玉米排骨汤", "YMPGT", "例", "S06", 30, 48},
        {"M041", "扬州炒饭", "YZCF", "份", "S07", 12, 28},
        {"M042", "米饭", "MF", "碗", "S07", 5, 2},
        {"M043", "葱油拌面", "CYBM", "份", "S07", 10, 16},
        {"M044", "担担面", "DDM", "份", "S07", 10, 18},
        {"M045", "馒头", "MT", "个", "S07", 0, 2},
        {"M046", "小笼包", "XLB", "笼", "S08", 15, 26},
        {"M047", "虾饺", "XJ", "笼", "S08", 15, 32},
        {"M048", "春卷", "CJ", "份", "S08", 12, 18},
        {"M049", "红糖糍粑", "HTCB", "份", "S08", 15, 22},
        {"M050", "南瓜饼", "NGB", "份", "S08", 0, 18},
        {"M051", "青岛啤酒", "QDPJ", "瓶", "S09", 0, 10},
        {"M052", "雪花啤酒", "XHPJ", "瓶", "S09", 0, 8},
        {"M053", "可口可乐", "KKKL", "听", "S09", 0, 6},
        {"M054", "鲜榨橙汁", "XZCZ", "扎", "S09", 0, 38},
        {"M055", "王老吉", "WLJ", "罐", "S09", 0, 6},
        {"M056", "矿泉水", "KQS", "瓶", "S09", 0, 3},
        {"M057", "红星二锅头", "HXEGT", "瓶", "S09", 0, 25},
        {"M058", "长城干红", "CCGH", "瓶", "S09", 0, 168},
        {"M059", "商务套餐", "SWTC", "套", "S10", 0, 198},
        {"M060", "家庭套餐", "JTTC", "套", "S10", 0, 368},
    };
    return v;
}

const QVector<Area>& Kitchens() {
    static const QVector<Area> v{{"K01", "冷菜间"},
                                 {"K02", "热菜厨房"},
                                 {"K03", "海鲜档"},
                                 {"K04", "面点间"},
                                 {"K05", "吧台"}};
    return v;
}

const QVector<Area>& Stations() {
    static const QVector<Area> v{
        {"P01", "大厅点菜宝1"}, {"P02", "大厅点菜宝2"}, {"P03", "包厢点菜机"}, {"P04", "前台收银"}};
    return v;
}

const QVector<Cook>& Cooks() {
    static const QVector<Cook> v{
        {"E01", "张建国", "K01"}, {"E02", "李海燕", "K01"}, {"E03", "王德胜", "K02"},
        {"E04", "刘志强", "K02"}, {"E05", "陈国华", "K02"}, {"E06", "赵明", "K03"},
        {"E07", "孙丽萍", "K04"}, {"E08", "周小红", "K04"}, {"E09", "吴涛", "K05"},
    };
    return v;
}

const QVector<const char*>& TasteNotes() {
    static const QVector<const char*> v{"少辣", "微辣", "加辣",   "不要香菜", "免葱", "免蒜",
                                        "少盐", "清淡", "多放醋", "快上",     "打包"};
    return v;
}

const QVector<Package>& Packages() {
    static const QVector<Package> v{{"M059", {"M001", "M011", "M031", "M038"}},
                                    {"M060", {"M003", "M021", "M025", "M034", "M040"}}};
    return v;
}

bool IsPackageHeader(const Dish& dish) {
    return qstrcmp(dish.category, "S10") == 0;
}

const Category* FindCategory(const QString& id) {
    for (const Category& c : Categories()) {
        if (id == QLatin1String(c.id)) {
            return &c;
        }
    }
    return nullptr;
}

const Dish* FindDish(const QString& id) {
    for (const Dish& d : Menu()) {
        if (id == QLatin1String(d.id)) {
            return &d;
        }
    }
    return nullptr;
}

QVector<TablePlan> PlanTables(int count) {
    static const char* const rooms[] = {"牡丹厅", "芙蓉厅", "梅花厅", "兰花厅", "竹韵厅",
                                        "菊香厅", "海棠厅", "桂花厅", "荷花厅", "水仙厅"};
    QVector<TablePlan> tables;
    int hall = 0, room = 0, booth = 0, upstairs = 0, terrace = 0;
    const int width = count >= 1000 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
        TablePlan t;
        t.id = QStringLiteral("R%1").arg(i + 1, width, 10, QLatin1Char('0'));
        switch (i % 10) {
            case 0:
            case 1:
            case 2:
            case 3:
                t.areaId = QStringLiteral("A01");
                t.typeId = QStringLiteral("T01");
                t.name = QStringLiteral("大厅%1").arg(++hall, 2, 10, QLatin1Char('0'));
                t.maxGuests = 6;
                break;
            case 4:
            case 5: {
                t.areaId = QStringLiteral("A02");
                t.typeId = QStringLiteral("T02");
                const int n = room++;
                t.name = QString::fromUtf8(rooms[n % 10]);
                if (n >= 10) {
                    t.name += QString::number(n / 10 + 1);
                }
                t.minGuests = 6;
                t.maxGuests = 12;
                break;
            }
            case 6:
            case 7:
                t.areaId = QStringLiteral("A03");
                t.typeId = QStringLiteral("T03");
                t.name = QStringLiteral("卡座%1").arg(++booth, 2, 10, QLatin1Char('0'));
                break;
            case 8:
                t.areaId = QStringLiteral("A03");
                t.typeId = QStringLiteral("T01");
                t.name = QStringLiteral("二楼%1").arg(++upstairs, 2, 10, QLatin1Char('0'));
                t.maxGuests = 8;
                break;
            default:
                t.areaId = QStringLiteral("A04");
                t.typeId = QStringLiteral("T01");
                t.name = QStringLiteral("露台%1").arg(++terrace, 2, 10, QLatin1Char('0'));
                break;
        }
        tables.push_back(t);
    }
    return tables;
}

const QVector<Operator>& Operators() {
    static const QVector<Operator> v{{"001", "123", 1}, {"002", "", 2}};
    return v;
}

QString StoredPassword(const QString& plain) {
    return StoredPasswordText(plain);
}

}  // namespace demo
