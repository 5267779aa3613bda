#include "DemoDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

#include "DemoRestaurant.h"
#include "core/common/TimeText.h"
#include "core/db/Connection.h"
#include "core/db/ConnectionSettings.h"
#include "core/db/DbError.h"
#include "core/db/DishState.h"
#include "core/db/EmbeddedSchema.h"

QString DemoLineNumber(const QDate& day, qint64 seq) {
    return day.toString(QStringLiteral("yyMMdd")) +
           QStringLiteral("%1").arg(seq, 7, 10, QLatin1Char('0'));
}

QString DemoBillNumber(const QDate& day, qint64 seq) {
    return QStringLiteral("ZD") + day.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral("%1").arg(seq, 6, 10, QLatin1Char('0'));
}

namespace {

using namespace demo;

// A null QString binds as NULL; the station compares the state code with the empty text.
const QString kNotSet = QStringLiteral("");

// A prepared insert, bound by position and run once per row.
class Inserter {
public:
    Inserter(const QSqlDatabase& db, const QString& table, const QStringList& columns) : q_(db) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i) {
            marks << QStringLiteral("?");
        }
        const QString sql =
            QStringLiteral("insert into %1 (%2) values (%3)")
                .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        if (!q_.prepare(sql)) {
            throw DbError(q_.lastError().text());
        }
    }

    void run(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            q_.bindValue(i, values.at(i));
        }
        if (!q_.exec()) {
            throw DbError(q_.lastError().text());
        }
    }

private:
    QSqlQuery q_;
};

struct Line {
    QString guest;
    QString table;
    const Dish* dish = nullptr;
    double num = 1;
    double returned = 0;
    bool returnFlag = false;
    QDateTime begin;
    QDateTime done;
    std::optional<DishState> state;
    QString servingState = kStartAtOnce;
    int hurried = 0;
    QString sit;
    QString taste;
    QVariant tcsign;  // null, "" or "TC"
};

class Generator {
public:
    Generator(const QSqlDatabase& db, const DemoOptions& o)
        : o_(o),
          rng_(o.seed),
          now_(o.now),
          lines_(db, QStringLiteral("Consume"),
                 {QStringLiteral("consume_bh"),          QStringLiteral("consume_guest_bh"),
                  QStringLiteral("consume_table"),       QStringLiteral("consume_meal_id"),
                  QStringLiteral("consume_meal_name"),   QStringLiteral("consume_meal_type"),
                  QStringLiteral("consume_num"),         QStringLiteral("consume_returnNum"),
                  QStringLiteral("consume_return"),      QStringLiteral("consume_begintime"),
                  QStringLiteral("consume_donetime"),    QStringLiteral("consume_Chupinlogo"),
                  QStringLiteral("consume_Chupinstate"), QStringLiteral("consume_state"),
                  QStringLiteral("consume_cccs"),        QStringLiteral("consume_chef"),
                  QStringLiteral("consume_CPdep"),       QStringLiteral("consume_sit"),
                  QStringLiteral("consume_taste"),       QStringLiteral("consume_tcsign")}),
          bills_(db, QStringLiteral("guest"),
                 {QStringLiteral("guest_bh"), QStringLiteral("guest_table"),
                  QStringLiteral("guest_rs"), QStringLiteral("guest_total"),
                  QStringLiteral("guest_estate")}),
          db_(db) {
        for (const Dish& d : Menu()) {
            if (!IsPackageHeader(d)) {
                orderable_.push_back(&d);
            }
        }
    }

    DemoSummary run() {
        writeCatalogue();
        const QVector<TablePlan> tables = PlanTables(o_.tables);
        summary_.tables = static_cast<int>(tables.size());
        writeHistory(tables);
        // The open bills, each on its own table; a few tables stay marked in use without
        // one (seated, nothing ordered yet), the rest are free.
        QVector<int> order(tables.size());
        for (int i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        shuffle(order);
        const int openCount = std::max(1, static_cast<int>(tables.size()) / 2);
        const int seatedOnly = tables.size() >= 10 ? 2 : 0;
        QVector<QString> roomState(tables.size(), QStringLiteral("1"));
        for (int k = 0; k < std::min<int>(openCount + seatedOnly, order.size()); ++k) {
            roomState[order[k]] = QStringLiteral("0");
        }
        writeRooms(tables, roomState);
        writeSettledToday(tables, order.mid(std::min<int>(openCount + seatedOnly, order.size())));
        writeOpenBills(tables, order.mid(0, std::min<int>(openCount, order.size())));
        return summary_;
    }

private:
    int between(int lo, int hi) {
        return lo >= hi ? lo : static_cast<int>(rng_.bounded(lo, hi + 1));
    }
    bool chance(double p) { return rng_.generateDouble() < p; }
    template <class T>
    void shuffle(QVector<T>& v) {
        for (qsizetype i = v.size() - 1; i > 0; --i) {
            std::swap(v[i], v[static_cast<qsizetype>(rng_.bounded(static_cast<int>(i + 1)))]);
        }
    }
    template <class T>
    const T& pick(const QVector<T>& v) {
        return v.at(static_cast<qsizetype>(rng_.bounded(static_cast<int>(v.size()))));
    }

    void exec(const QString& sql, const QVariantList& values) {
        QSqlQuery q(db_);
        q.prepare(sql);
        for (int i = 0; i < values.size(); ++i) {
            q.bindValue(i, values.at(i));
        }
        if (!q.exec()) {
            throw DbError(q.lastError().text());
        }
    }

    static QVariant OrNull(int v) { return v ? QVariant(v) : QVariant(); }

    void writeCatalogue() {
        for (const Area& a : Areas()) {
            exec(QStringLiteral("insert into area values (?,?)"),
                 {QString::fromUtf8(a.id), QString::fromUtf8(a.name)});
        }
        for (const TableType& t : TableTypes()) {
            exec(QStringLiteral("insert into roomtype values (?,?)"),
                 {QString::fromUtf8(t.id), QString::fromUtf8(t.name)});
        }
        for (const BigCategory& b : BigCategories()) {
            exec(QStringLiteral("insert into BigType values (?,?)"),
                 {QString::fromUtf8(b.id), QString::fromUtf8(b.name)});
        }
        for (const Category& c : Categories()) {
            exec(QStringLiteral("insert into SmallType (Smalltype_id, Smalltype_name, "
                                "Smalltype_big_id, Smalltype_NdyHc, Smalltype_scsx) "
                                "values (?,?,?,?,?)"),
                 {QString::fromUtf8(c.id), QString::fromUtf8(c.name), QString::fromUtf8(c.bigId),
                  c.excluded ? kYes : QStringLiteral("N"), OrNull(c.servingOrder)});
        }
        int barcode = 0;
        for (const Dish& d : Menu()) {
            exec(QStringLiteral("insert into Meal (meal_bh, meal_name, meal_code, meal_Barcode, "
                                "meal_unit, Meal_type_id, Meal_time, meal_clean, meal_cleanSl) "
                                "values (?,?,?,?,?,?,?,'N',0)"),
                 {QString::fromUtf8(d.id), QString::fromUtf8(d.name), QString::fromUtf8(d.code),
                  QStringLiteral("690%1").arg(++barcode, 10, 10, QLatin1Char('0')),
                  QString::fromUtf8(d.unit), QString::fromUtf8(d.category), OrNull(d.minutes)});
        }
        for (const Area& k : Kitchens()) {
            exec(QStringLiteral("insert into Kitchen values (?,?)"),
                 {QString::fromUtf8(k.id), QString::fromUtf8(k.name)});
        }
        for (const Area& s : Stations()) {
            exec(QStringLiteral("insert into SaleSit values (?,?)"),
                 {QString::fromUtf8(s.id), QString::fromUtf8(s.name)});
        }
        for (const Cook& c : Cooks()) {
            exec(QStringLiteral("insert into Employee values (?,?)"),
                 {QString::fromUtf8(c.id), QString::fromUtf8(c.name)});
        }
        for (const Operator& op : Operators()) {
            exec(QStringLiteral("insert into users (user_bh, user_mm, user_xh) values (?,?,?)"),
                 {QString::fromUtf8(op.code), StoredPassword(QString::fromUtf8(op.password)),
                  op.order});
        }
    }

    void writeRooms(const QVector<TablePlan>& tables, const QVector<QString>& state) {
        Inserter rooms(
            db_, QStringLiteral("room"),
            {QStringLiteral("room_id"), QStringLiteral("room_name"), QStringLiteral("room_type"),
             QStringLiteral("room_area"), QStringLiteral("room_state")});
        for (int i = 0; i < tables.size(); ++i) {
            const TablePlan& t = tables.at(i);
            rooms.run({t.id, t.name, t.typeId, t.areaId, state.at(i)});
        }
    }

    QString cookFor(const Dish& d) {
        const QString kitchen =
            QString::fromUtf8(FindCategory(QString::fromUtf8(d.category))->kitchen);
        QVector<const Cook*> cooks;
        for (const Cook& c : Cooks()) {
            if (kitchen == QLatin1String(c.kitchen)) {
                cooks.push_back(&c);
            }
        }
        return cooks.isEmpty() ? QString() : QString::fromUtf8(pick(cooks)->id);
    }

    QString stationFor(const TablePlan& t) {
        if (t.typeId == QLatin1String("T02")) {
            return QStringLiteral("P03");
        }
        return chance(0.5) ? QStringLiteral("P01") : QStringLiteral("P02");
    }

    double quantityFor(const Dish& d, int guests) {
        const QString id = QString::fromUtf8(d.id);
        if (id == QLatin1String("M042") || id == QLatin1String("M045") ||
            id == QLatin1String("M028")) {
            return guests;
        }
        if (qstrcmp(d.category, "S09") == 0) {
            return between(1, 6);
        }
        return chance(0.1) ? 2 : 1;
    }

    // Writes a line and, for a returned one, its negative return record.
    void writeLine(const Line& l) {
        const Dish& d = *l.dish;
        const Category* c = FindCategory(QString::fromUtf8(d.category));
        const QString dep = c ? QString::fromUtf8(c->kitchen) : QString();
        lines_.run({DemoLineNumber(l.begin.date(), ++lineSeq_),
                    l.guest,
                    l.table,
                    QString::fromUtf8(d.id),
                    QString::fromUtf8(d.name),
                    QString::fromUtf8(d.category),
                    l.num,
                    l.returned,
                    l.returnFlag ? kYes : QStringLiteral("N"),
                    FormatDbTime(l.begin),
                    l.state == DishState::Served ? QVariant(FormatDbTime(l.done)) : QVariant(),
                    l.state ? DishStateCode(*l.state) : kNotSet,
                    l.state ? QVariant(DishStateText(*l.state)) : QVariant(),
                    l.servingState,
                    l.hurried,
                    l.state ? QVariant(cookFor(d)) : QVariant(),
                    dep,
                    l.sit,
                    l.taste.isEmpty() ? QVariant() : QVariant(l.taste),
                    l.tcsign});
        if (l.returned > 0) {
            const QDateTime at =
                std::min(l.begin.addSecs(60 * between(2, 10)), std::max(l.begin, now_));
            lines_.run({DemoLineNumber(at.date(), ++lineSeq_),
                        l.guest,
                        l.table,
                        QString::fromUtf8(d.id),
                        QString::fromUtf8(d.name),
                        QString::fromUtf8(d.category),
                        -l.returned,
                        0,
                        kYes,
                        FormatDbTime(at),
                        QVariant(),
                        kNotSet,
                        QVariant(),
                        l.servingState == kBillSettled ? kBillSettled : kLineReturned,
                        0,
                        QVariant(),
                        dep,
                        l.sit,
                        QVariant(),
                        QVariant()});
        }
    }

    double amount(const Line& l) const { return l.dish->price * (l.num - l.returned); }

    // How a table's meal goes, so the board shows every tile state: just seated, served on
    // time, waiting too long, everything out.
    enum class Pace { Fresh, OnTime, Late, Done };

    Pace pickPace() {
        const double r = rng_.generateDouble();
        return r < 0.15   ? Pace::Fresh
               : r < 0.55 ? Pace::OnTime
               : r < 0.85 ? Pace::Late
                          : Pace::Done;
    }

    int minutesSeated(Pace pace) {
        switch (pace) {
            case Pace::Fresh:
                return between(3, 12);
            case Pace::OnTime:
                return between(15, 90);
            case Pace::Late:
                return between(30, 150);
            case Pace::Done:
                return between(50, 140);
        }
        return 30;
    }

    // The state a line has reached some minutes after it was ordered.
    std::optional<DishState> stateAfter(int minutes, const Dish& d, Pace pace) {
        const int allowed = d.minutes ? d.minutes : 20;
        const double r = rng_.generateDouble();
        if (pace == Pace::Done) {
            return r < 0.95 ? DishState::Served : DishState::CannotMake;
        }
        if (pace == Pace::Fresh || minutes < 3) {
            return r < 0.6    ? std::nullopt
                   : r < 0.95 ? std::optional(DishState::StartMaking)
                              : std::optional(DishState::Urgent);
        }
        if (minutes > allowed * 0.8) {
            if (pace == Pace::OnTime) {
                return r < 0.8    ? DishState::Served
                       : r < 0.95 ? DishState::Made
                                  : DishState::CannotMake;
            }
            if (r < 0.6)
                return DishState::Served;
            if (r < 0.72)
                return DishState::Made;
            if (r < 0.82)
                return DishState::StartMaking;
            if (r < 0.87)
                return DishState::Urgent;
            if (r < 0.92)
                return DishState::CannotMake;
            return std::nullopt;
        }
        if (r < 0.3)
            return std::nullopt;
        if (r < 0.6)
            return DishState::StartMaking;
        if (r < 0.7)
            return DishState::Urgent;
        if (r < 0.8)
            return DishState::Made;
        if (r < 0.95)
            return DishState::Served;
        return DishState::CannotMake;
    }

    void serveAfter(Line& l, int minMinutes) {
        const int age = static_cast<int>(l.begin.secsTo(now_) / 60);
        const int upper =
            std::max(minMinutes, std::min(age, (l.dish->minutes ? l.dish->minutes : 20) + 10));
        l.done = l.begin.addSecs(60 * between(std::min(minMinutes, upper), upper) + between(0, 59));
        if (l.done > now_) {
            l.done = now_;
        }
    }

    Line orderLine(const QString& bill, const TablePlan& t, const QString& sit, int guests,
                   const QDateTime& at, const Dish& d) {
        Line l;
        l.guest = bill;
        l.table = t.id;
        l.dish = &d;
        l.num = quantityFor(d, guests);
        l.begin = at;
        l.sit = sit;
        return l;
    }

    void addReturn(Line& l, bool whole) {
        l.returnFlag = true;
        l.returned = whole || l.num < 2 ? l.num : 1;
    }

    void writeOpenBills(const QVector<TablePlan>& tables, const QVector<int>& occupied) {
        const int bills = static_cast<int>(occupied.size());
        const int total = o_.lines > 0 ? o_.lines : bills * 12;
        QVector<double> weight(bills);
        double sum = 0;
        for (double& w : weight) {
            w = 0.5 + rng_.generateDouble();
            sum += w;
        }
        int given = 0;
        for (int b = 0; b < bills; ++b) {
            const TablePlan& t = tables.at(occupied.at(b));
            const int guests = between(t.minGuests, t.maxGuests);
            const QString bill = DemoBillNumber(now_.date(), ++billSeq_);
            const QString sit = stationFor(t);
            const Pace pace = b < 2 ? Pace::Late : pickPace();
            const QDateTime opened = now_.addSecs(-60 * (b == 0   ? 80
                                                         : b == 1 ? 55
                                                                  : minutesSeated(pace)) -
                                                  between(0, 59));
            int count =
                b + 1 == bills ? total - given : static_cast<int>(total * weight.at(b) / sum + 0.5);
            count = std::max(0, std::min(count, total - given));
            given += count;

            QVector<Line> lines = b == 0   ? showcaseStates(bill, t, sit, guests)
                                  : b == 1 ? showcaseReturns(bill, t, sit, guests)
                                           : QVector<Line>();
            count = std::max(0, count - static_cast<int>(lines.size()));
            const int ageOfBill = static_cast<int>(opened.secsTo(now_) / 60);
            for (int k = 0; k < count; ++k) {
                const bool later = k >= 4 && chance(0.3);
                const QDateTime at = opened.addSecs(
                    60 * (later ? between(5, std::max(5, ageOfBill - 1)) : between(0, 3)) +
                    between(0, 59));
                Line l = orderLine(bill, t, sit, guests, std::min(at, now_), *pick(orderable_));
                const int age = static_cast<int>(l.begin.secsTo(now_) / 60);
                l.state = stateAfter(age, *l.dish, pace);
                if (l.state == DishState::Served) {
                    serveAfter(l, 2);
                }
                if (!l.state && chance(0.1)) {
                    l.servingState = kStartWhenCalled;
                }
                if (l.state != DishState::Served && l.state != DishState::CannotMake && age > 8 &&
                    chance(0.12)) {
                    l.hurried = between(1, 3);
                }
                if (!excluded(*l.dish) && chance(0.2)) {
                    l.taste = QString::fromUtf8(pick(TasteNotes()));
                }
                if (chance(0.05)) {
                    addReturn(l, chance(0.5));
                }
                if (chance(0.5)) {
                    l.tcsign = kNotSet;
                }
                lines.push_back(l);
            }
            if (b > 1 && count > 6 && chance(0.15)) {
                addPackage(lines, bill, t, sit, guests, opened.addSecs(60), pace);
            }
            double billTotal = 0;
            for (const Line& l : lines) {
                writeLine(l);
                billTotal += amount(l);
                summary_.openLines += 1 + (l.returned > 0 ? 1 : 0);
            }
            bills_.run({bill, t.id, guests, billTotal, QStringLiteral("true")});
            ++summary_.openBills;
        }
    }

    void addPackage(QVector<Line>& lines, const QString& bill, const TablePlan& t,
                    const QString& sit, int guests, const QDateTime& at, Pace pace) {
        const Package& p = pick(Packages());
        Line head = orderLine(bill, t, sit, guests, at, *FindDish(QString::fromUtf8(p.dishId)));
        head.num = 1;
        head.tcsign = kPackageLine;
        lines.push_back(head);
        for (const char* part : p.parts) {
            Line l = orderLine(bill, t, sit, guests, at, *FindDish(QString::fromUtf8(part)));
            l.num = 1;
            const int age = static_cast<int>(at.secsTo(now_) / 60);
            l.state = stateAfter(age, *l.dish, pace);
            if (l.state == DishState::Served) {
                serveAfter(l, 2);
            }
            l.tcsign = kNotSet;
            lines.push_back(l);
        }
    }

    static bool excluded(const Dish& d) {
        const Category* c = FindCategory(QString::fromUtf8(d.category));
        return c && c->excluded;
    }

    const Dish& dish(const char* id) { return *FindDish(QString::fromUtf8(id)); }

    // One line of every preparation state, an overdue line, a hurried one, one held until
    // called, a taste note: whatever the seed, the station has each kind to show.
    QVector<Line> showcaseStates(const QString& bill, const TablePlan& t, const QString& sit,
                                 int guests) {
        struct Spec {
            const char* dish;
            int minutesAgo;
            std::optional<DishState> state;
            int hurried;
            const char* servingState;
            const char* taste;
        };
        const Spec specs[] = {
            {"M011", 2, std::nullopt, 0, "即起", ""},
            {"M012", 8, DishState::StartMaking, 0, "即起", "少辣"},
            {"M015", 12, DishState::Urgent, 1, "即起", ""},
            {"M029", 25, DishState::CannotMake, 0, "即起", ""},
            {"M014", 14, DishState::Made, 0, "即起", "不要香菜"},
            {"M001", 40, DishState::Served, 0, "即起", ""},
            {"M021", 70, DishState::StartMaking, 0, "即起", ""},
            {"M031", 45, std::nullopt, 0, "即起", "清淡"},
            {"M036", 35, std::nullopt, 2, "即起", ""},
            {"M041", 10, std::nullopt, 0, "叫起", ""},
        };
        QVector<Line> lines;
        for (const Spec& s : specs) {
            Line l = orderLine(bill, t, sit, guests, now_.addSecs(-60 * s.minutesAgo - 20),
                               dish(s.dish));
            l.state = s.state;
            if (l.state == DishState::Served) {
                l.done = now_.addSecs(-60 * 30);
            }
            l.hurried = s.hurried;
            l.servingState = QString::fromUtf8(s.servingState);
            l.taste = QString::fromUtf8(s.taste);
            lines.push_back(l);
        }
        return lines;
    }

    QVector<Line> showcaseReturns(const QString& bill, const TablePlan& t, const QString& sit,
                                  int guests) {
        QVector<Line> lines;
        Line partial = orderLine(bill, t, sit, guests, now_.addSecs(-60 * 30), dish("M027"));
        partial.num = 2;
        partial.state = DishState::StartMaking;
        addReturn(partial, false);
        lines.push_back(partial);
        Line whole = orderLine(bill, t, sit, guests, now_.addSecs(-60 * 28), dish("M020"));
        addReturn(whole, true);
        lines.push_back(whole);
        Line drink = orderLine(bill, t, sit, guests, now_.addSecs(-60 * 50), dish("M051"));
        drink.num = 4;
        lines.push_back(drink);
        addPackage(lines, bill, t, sit, guests, now_.addSecs(-60 * 45), Pace::Late);
        return lines;
    }

    // A whole bill, ordered and served long ago, settled.
    void writeSettledBill(const TablePlan& t, const QDateTime& opened, int count) {
        const int guests = between(t.minGuests, t.maxGuests);
        const QString bill = DemoBillNumber(opened.date(), ++billSeq_);
        const QString sit = stationFor(t);
        double total = 0;
        for (int k = 0; k < count; ++k) {
            Line l = orderLine(bill, t, sit, guests, opened.addSecs(60 * between(0, 20)),
                               *pick(orderable_));
            l.state = chance(0.02) ? DishState::CannotMake : DishState::Served;
            if (l.state == DishState::Served) {
                l.done = l.begin.addSecs(60 * between(3, 35));
            }
            l.servingState = kBillSettled;
            if (chance(0.03)) {
                addReturn(l, chance(0.5));
            }
            if (!excluded(*l.dish) && chance(0.15)) {
                l.taste = QString::fromUtf8(pick(TasteNotes()));
            }
            writeLine(l);
            total += amount(l);
            summary_.historyLines += 1 + (l.returned > 0 ? 1 : 0);
        }
        bills_.run({bill, t.id, guests, total, QStringLiteral("false")});
        ++summary_.settledBills;
    }

    void writeSettledToday(const QVector<TablePlan>& tables, const QVector<int>& free) {
        const int n = std::max(3, static_cast<int>(tables.size()) / 10);
        for (int k = 0; k < n; ++k) {
            const int index =
                free.isEmpty() ? k % static_cast<int>(tables.size()) : free.at(k % free.size());
            writeSettledBill(tables.at(index), now_.addSecs(-60 * between(150, 300)),
                             between(5, 10));
        }
    }

    // Written in time order, so line and bill numbers grow with the keys' b-trees.
    void writeHistory(const QVector<TablePlan>& tables) {
        const int days = std::clamp(o_.history / 300, 7, 365);
        struct Bill {
            QDateTime opened;
            int count;
        };
        QVector<Bill> bills;
        int left = o_.history;
        while (left > 0) {
            const int count = std::min(left, between(4, 14));
            left -= count;
            const QDate day = now_.date().addDays(-between(1, days));
            const QTime time = chance(0.45) ? QTime(11, 0).addSecs(60 * between(0, 150))
                                            : QTime(17, 0).addSecs(60 * between(0, 240));
            bills.push_back({QDateTime(day, time, Qt::UTC), count});
        }
        std::stable_sort(bills.begin(), bills.end(),
                         [](const Bill& a, const Bill& b) { return a.opened < b.opened; });
        for (const Bill& b : bills) {
            writeSettledBill(pick(tables), b.opened, b.count);
        }
    }

    const DemoOptions& o_;
    QRandomGenerator rng_;
    QDateTime now_;
    Inserter lines_;
    Inserter bills_;
    QSqlDatabase db_;
    QVector<const Dish*> orderable_;
    qint64 lineSeq_ = 0;
    qint64 billSeq_ = 0;
    DemoSummary summary_;
};

}  // namespace

bool CreateDemoStation(const QString& dir, const DemoOptions& options, DemoSummary* summary,
                       QString* error) {
    auto fail = [error](const QString& text) {
        if (error) {
            *error = text;
        }
        return false;
    };
    if (options.tables < 1 || options.lines < 0 || options.history < 0) {
        return fail(
            QStringLiteral("--tables must be at least 1, --lines and --history not negative."));
    }
    const QDir folder(dir);
    ConnectionSettings settings;
    settings.engine = Engine::Sqlite;
    settings.sqliteFile = kDatabaseName + QStringLiteral(".db");
    const QString dbPath = SqliteFilePath(settings, folder.absolutePath());
    if (QFileInfo::exists(dbPath)) {
        return fail(QStringLiteral("%1 holds a database already (%2); remove it or choose another "
                                   "folder.")
                        .arg(folder.absolutePath(), dbPath));
    }
    if (!QDir().mkpath(folder.absolutePath())) {
        return fail(QStringLiteral("Cannot create the folder %1.").arg(folder.absolutePath()));
    }
    QString err;
    if (!CreateEmbeddedDatabaseFile(dbPath, &err)) {
        return fail(err);
    }
    const QDateTime now = options.now.isValid() ? options.now : QDateTime::currentDateTime();
    bool ok = false;
    {
        Connection conn([now] { return now; });
        if (!conn.open(settings, folder.absolutePath())) {
            err = conn.lastError();
        } else {
            QSqlDatabase db = conn.database();
            QSqlQuery q(db);
            // Nobody else has the new file yet: write it once, not through the WAL and again
            // at the checkpoint. It is WAL again before anyone else opens it.
            q.exec(QStringLiteral("PRAGMA journal_mode=MEMORY"));
            q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
            q.exec(QStringLiteral("PRAGMA cache_size=-131072"));
            try {
                db.transaction();
                // Indexes are cheaper built once over the rows than kept up row by row.
                QStringList indexes;
                for (const QString& sql : EmbeddedSchemaStatements()) {
                    if (sql.startsWith(QLatin1String("create index"), Qt::CaseInsensitive)) {
                        indexes << sql;
                        const QString name = sql.section(QLatin1Char(' '), 2, 2);
                        if (!q.exec(QStringLiteral("drop index ") + name)) {
                            throw DbError(q.lastError().text());
                        }
                    }
                }
                DemoOptions o = options;
                // Local wall-clock time, kept as plain fields: the arithmetic then never
                // consults the time zone database (once per call, half a million calls).
                o.now = QDateTime(now.date(), now.time(), Qt::UTC);
                const DemoSummary s = Generator(db, o).run();
                for (const QString& sql : indexes) {
                    if (!q.exec(sql)) {
                        throw DbError(q.lastError().text());
                    }
                }
                if (!db.commit()) {
                    throw DbError(db.lastError().text());
                }
                if (summary) {
                    *summary = s;
                }
                ok = true;
            } catch (const DbError& e) {
                db.rollback();
                err = e.text();
            }
            q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
            if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && ok) {
                ok = false;
                err = q.lastError().text();
            }
        }
    }
    if (!ok) {
        // A half-written database would be refused by the next attempt.
        QFile::remove(dbPath);
        QFile::remove(dbPath + QStringLiteral("-wal"));
        QFile::remove(dbPath + QStringLiteral("-shm"));
        return fail(err);
    }
    if (!WriteConnectionSettings(folder.filePath(kConnectionFileName), settings)) {
        return fail(QStringLiteral("Cannot write %1.").arg(folder.filePath(kConnectionFileName)));
    }
    return true;
}
