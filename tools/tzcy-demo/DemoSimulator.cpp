#include "DemoSimulator.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "DemoDatabase.h"
#include "DemoRestaurant.h"
#include "core/common/TimeText.h"
#include "core/db/Connection.h"
#include "core/db/DbError.h"
#include "core/db/DishState.h"

using namespace demo;

namespace {

// Lines a waiter may still hurry or return: ordinary dispatched lines of an open bill.
const QString kActiveLines = QStringLiteral(
    "from Consume join guest on guest_bh = consume_guest_bh "
    "where guest_estate = 'true' and consume_num > 0 and consume_return <> 'Y' "
    "and (consume_tcsign <> 'TC' or consume_tcsign is null) "
    "and consume_meal_type not in (select Smalltype_id from SmallType where Smalltype_NdyHc = "
    "'Y') ");

QString Quantity(double n) {
    return QString::number(n, 'g', 6);
}

}  // namespace

DemoSimulator::DemoSimulator(Connection& connection, quint32 seed, std::function<QDateTime()> clock)
    : connection_(connection),
      db_(connection.database()),
      rng_(seed),
      clock_(clock ? std::move(clock) : [] { return QDateTime::currentDateTime(); }) {}

int DemoSimulator::between(int lo, int hi) {
    return lo >= hi ? lo : static_cast<int>(rng_.bounded(lo, hi + 1));
}

QVector<QVariantList> DemoSimulator::rows(const QString& sql, const QVariantList& values) {
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        throw DbError(q.lastError().text());
    }
    for (int i = 0; i < values.size(); ++i) {
        q.bindValue(i, values.at(i));
    }
    if (!q.exec()) {
        throw DbError(q.lastError().text());
    }
    QVector<QVariantList> result;
    const int columns = q.record().count();
    while (q.next()) {
        QVariantList row;
        for (int c = 0; c < columns; ++c) {
            row << q.value(c);
        }
        result << row;
    }
    return result;
}

void DemoSimulator::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery q(db_);
    if (!q.prepare(sql)) {
        throw DbError(q.lastError().text());
    }
    for (int i = 0; i < values.size(); ++i) {
        q.bindValue(i, values.at(i));
    }
    if (!q.exec()) {
        throw DbError(q.lastError().text());
    }
}

// BEGIN IMMEDIATE takes the write lock before anything is read, so the numbers read for new
// keys stay valid until COMMIT, whoever else writes the file.
QString DemoSimulator::inTransaction(const std::function<QString()>& action) {
    exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        const QString done = action();
        exec(QStringLiteral("COMMIT"));
        return done;
    } catch (...) {
        QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

QString DemoSimulator::tableName(const QString& tableId) {
    const auto r = rows(QStringLiteral("select room_name from room where room_id = ?"), {tableId});
    return r.isEmpty() ? tableId : r.first().first().toString();
}

QString DemoSimulator::step() {
    const auto counts =
        rows(QStringLiteral("select (select count(*) from room), "
                            "(select count(*) from guest where guest_estate = 'true')"));
    const int tables = counts.first().at(0).toInt();
    const int open = counts.first().at(1).toInt();
    struct Choice {
        QString (DemoSimulator::*action)();
        int weight;
    };
    const Choice choices[] = {
        {&DemoSimulator::openBill, open < tables ? (open * 10 < tables * 4 ? 30 : 12) : 0},
        {&DemoSimulator::orderDishes, open > 0 ? 40 : 0},
        {&DemoSimulator::hurry, open > 0 ? 20 : 0},
        {&DemoSimulator::returnDish, open > 0 ? 7 : 0},
        {&DemoSimulator::settle, open > 0 ? (open * 10 > tables * 6 ? 25 : 8) : 0},
    };
    int total = 0;
    for (const Choice& c : choices) {
        total += c.weight;
    }
    if (total == 0) {
        return QString();
    }
    int r = between(0, total - 1);
    for (const Choice& c : choices) {
        if (r < c.weight) {
            return (this->*c.action)();
        }
        r -= c.weight;
    }
    return QString();
}

QString DemoSimulator::orderFor(const QString& bill, const QString& table, const QString& type,
                                int count) {
    const QDateTime now = clock_();
    const auto seqRow =
        rows(QStringLiteral("select max(cast(substr(consume_bh, 7) as integer)) from Consume "
                            "where length(consume_bh) = 13"));
    qint64 seq = seqRow.first().first().toLongLong();
    const auto guestRow =
        rows(QStringLiteral("select guest_rs from guest where guest_bh = ?"), {bill});
    const int guests = guestRow.isEmpty() ? 2 : std::max(1, guestRow.first().first().toInt());
    const QString sit = type == QLatin1String("T02")
                            ? QStringLiteral("P03")
                            : (chance(0.5) ? QStringLiteral("P01") : QStringLiteral("P02"));
    QVector<const Dish*> menu;
    for (const Dish& d : Menu()) {
        if (!IsPackageHeader(d)) {
            menu << &d;
        }
    }
    QStringList ordered;
    double amount = 0;
    for (int k = 0; k < count; ++k) {
        const Dish& d = *menu.at(between(0, static_cast<int>(menu.size()) - 1));
        const QString id = QString::fromUtf8(d.id);
        double num = chance(0.1) ? 2 : 1;
        if (id == QLatin1String("M042") || id == QLatin1String("M045") ||
            id == QLatin1String("M028")) {
            num = guests;
        } else if (qstrcmp(d.category, "S09") == 0) {
            num = between(1, 6);
        }
        const Category* c = FindCategory(QString::fromUtf8(d.category));
        const QString taste =
            !(c && c->excluded) && chance(0.2)
                ? QString::fromUtf8(TasteNotes().at(between(0, TasteNotes().size() - 1)))
                : QString();
        exec(QStringLiteral(
                 "insert into Consume (consume_bh, consume_guest_bh, consume_table, "
                 "consume_meal_id, consume_meal_name, consume_meal_type, consume_num, "
                 "consume_returnNum, consume_return, consume_begintime, consume_Chupinlogo, "
                 "consume_state, consume_cccs, consume_CPdep, consume_sit, consume_taste) "
                 "values (?,?,?,?,?,?,?,0,'N',?,'',?,0,?,?,?)"),
             {DemoLineNumber(now.date(), ++seq), bill, table, id, QString::fromUtf8(d.name),
              QString::fromUtf8(d.category), num, FormatDbTime(now),
              chance(0.1) ? kStartWhenCalled : kStartAtOnce,
              c ? QString::fromUtf8(c->kitchen) : QString(), sit,
              taste.isEmpty() ? QVariant() : QVariant(taste)});
        amount += d.price * num;
        ordered << QStringLiteral("%1×%2%3").arg(
            QString::fromUtf8(d.name), Quantity(num),
            taste.isEmpty() ? QString() : QStringLiteral("(%1)").arg(taste));
    }
    exec(QStringLiteral("update guest set guest_total = guest_total + ? where guest_bh = ?"),
         {amount, bill});
    return ordered.join(QStringLiteral("、"));
}

QString DemoSimulator::openBill() {
    return inTransaction([this]() -> QString {
        const auto free = rows(QStringLiteral(
            "select room_id, room_name, room_type from room where room_id not in "
            "(select guest_table from guest where guest_estate = 'true') order by room_id"));
        if (free.isEmpty()) {
            return QString();
        }
        const QVariantList& t = free.at(between(0, static_cast<int>(free.size()) - 1));
        const QString type = t.at(2).toString();
        const int guests = type == QLatin1String("T02")   ? between(6, 12)
                           : type == QLatin1String("T03") ? between(2, 4)
                                                          : between(2, 6);
        const auto seqRow =
            rows(QStringLiteral("select max(cast(substr(guest_bh, 11) as integer)) from guest "
                                "where guest_bh like 'ZD%' and length(guest_bh) = 16"));
        const QString bill =
            DemoBillNumber(clock_().date(), seqRow.first().first().toLongLong() + 1);
        exec(QStringLiteral("insert into guest (guest_bh, guest_table, guest_rs, guest_total, "
                            "guest_estate) values (?,?,?,0,'true')"),
             {bill, t.at(0), guests});
        exec(QStringLiteral("update room set room_state = '0' where room_id = ?"), {t.at(0)});
        const QString dishes = orderFor(bill, t.at(0).toString(), type, between(3, 6));
        return QStringLiteral("开台 %1 %2人 账单%3，点菜：%4")
            .arg(t.at(1).toString())
            .arg(guests)
            .arg(bill, dishes);
    });
}

QString DemoSimulator::orderDishes() {
    return inTransaction([this]() -> QString {
        const auto bills =
            rows(QStringLiteral("select guest_bh, guest_table, room_name, room_type from guest "
                                "left join room on room_id = guest_table where guest_estate = "
                                "'true' order by guest_bh"));
        if (bills.isEmpty()) {
            return QString();
        }
        const QVariantList& b = bills.at(between(0, static_cast<int>(bills.size()) - 1));
        const QString dishes =
            orderFor(b.at(0).toString(), b.at(1).toString(), b.at(3).toString(), between(1, 4));
        return QStringLiteral("加菜 %1：%2").arg(b.at(2).toString(), dishes);
    });
}

QString DemoSimulator::hurry() {
    return inTransaction([this]() -> QString {
        const auto lines = rows(
            QStringLiteral("select consume_bh, consume_table, consume_meal_name, consume_cccs ") +
            kActiveLines +
            QStringLiteral(
                "and coalesce(consume_Chupinlogo, '') not in ('2', '4') order by consume_bh"));
        if (lines.isEmpty()) {
            return QString();
        }
        const QVariantList& l = lines.at(between(0, static_cast<int>(lines.size()) - 1));
        exec(QStringLiteral("update Consume set consume_cccs = coalesce(consume_cccs, 0) + 1 "
                            "where consume_bh = ?"),
             {l.at(0)});
        return QStringLiteral("催菜 %1 %2（第%3次）")
            .arg(tableName(l.at(1).toString()), l.at(2).toString())
            .arg(l.at(3).toInt() + 1);
    });
}

QString DemoSimulator::returnDish() {
    return inTransaction([this]() -> QString {
        const auto lines = rows(
            QStringLiteral("select consume_bh, consume_guest_bh, consume_table, consume_meal_id, "
                           "consume_meal_name, consume_meal_type, consume_num, consume_CPdep, "
                           "consume_sit ") +
            kActiveLines +
            QStringLiteral("and coalesce(consume_Chupinlogo, '') <> '4' order by consume_bh"));
        if (lines.isEmpty()) {
            return QString();
        }
        const QVariantList& l = lines.at(between(0, static_cast<int>(lines.size()) - 1));
        const double num = l.at(6).toDouble();
        const double back = num >= 2 && chance(0.6) ? 1 : num;
        const QDateTime now = clock_();
        const auto seqRow =
            rows(QStringLiteral("select max(cast(substr(consume_bh, 7) as integer)) from Consume "
                                "where length(consume_bh) = 13"));
        exec(QStringLiteral("update Consume set consume_return = 'Y', consume_returnNum = ? "
                            "where consume_bh = ?"),
             {back, l.at(0)});
        exec(
            QStringLiteral(
                "insert into Consume (consume_bh, consume_guest_bh, consume_table, "
                "consume_meal_id, consume_meal_name, consume_meal_type, consume_num, "
                "consume_returnNum, consume_return, consume_begintime, consume_Chupinlogo, "
                "consume_state, consume_cccs, consume_CPdep, consume_sit) "
                "values (?,?,?,?,?,?,?,0,'Y',?,'',?,0,?,?)"),
            {DemoLineNumber(now.date(), seqRow.first().first().toLongLong() + 1), l.at(1), l.at(2),
             l.at(3), l.at(4), l.at(5), -back, FormatDbTime(now), kLineReturned, l.at(7), l.at(8)});
        const Dish* d = FindDish(l.at(3).toString());
        exec(QStringLiteral("update guest set guest_total = guest_total - ? where guest_bh = ?"),
             {d ? d->price * back : 0.0, l.at(1)});
        return QStringLiteral("%1 %2 %3×%4")
            .arg(back < num ? QStringLiteral("部分退菜") : QStringLiteral("退菜"),
                 tableName(l.at(2).toString()), l.at(4).toString(), Quantity(back));
    });
}

QString DemoSimulator::settle() {
    return inTransaction([this]() -> QString {
        // Guests who have everything leave first; otherwise the longest-seated table.
        const auto bills = rows(QStringLiteral(
            "select guest_bh, guest_table, guest_total, "
            "(select count(*) from Consume where consume_guest_bh = guest_bh "
            " and consume_num > 0 and consume_num > consume_returnNum "
            " and (consume_tcsign <> 'TC' or consume_tcsign is null) "
            " and coalesce(consume_Chupinlogo, '') not in ('2', '4') "
            " and consume_meal_type not in "
            " (select Smalltype_id from SmallType where Smalltype_NdyHc = 'Y')) as waiting, "
            "(select min(consume_begintime) from Consume where consume_guest_bh = guest_bh) "
            " as since "
            "from guest where guest_estate = 'true' order by waiting, since, guest_bh"));
        if (bills.isEmpty()) {
            return QString();
        }
        const QVariantList& b =
            bills.first().at(3).toInt() == 0 || bills.size() == 1 || chance(0.5)
                ? bills.first()
                : *std::min_element(bills.begin(), bills.end(),
                                    [](const QVariantList& x, const QVariantList& y) {
                                        return x.at(4).toString() < y.at(4).toString();
                                    });
        exec(QStringLiteral("update Consume set consume_state = ? where consume_guest_bh = ?"),
             {kBillSettled, b.at(0)});
        exec(QStringLiteral("update guest set guest_estate = 'false' where guest_bh = ?"),
             {b.at(0)});
        exec(QStringLiteral("update room set room_state = '1' where room_id = ?"), {b.at(1)});
        return QStringLiteral("结账 %1 账单%2 ￥%3")
            .arg(tableName(b.at(1).toString()), b.at(0).toString(),
                 QString::number(b.at(2).toDouble(), 'f', 2));
    });
}
