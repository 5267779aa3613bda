#pragma once

#include <QString>
#include <stdexcept>

// What kind of trouble a failed statement means, for what the station does next.
enum class DbFailure {
    Statement,       // this statement failed (a missing table, bad data); the connection is fine
    Busy,            // another program holds a lock: the same statement may work in a moment
    ConnectionLost,  // the connection is gone or the file is not the one opened: reopen it
};

// A database failure, carrying the database's own text for the standard error box.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text, DbFailure failure = DbFailure::Statement)
        : std::runtime_error(text.toStdString()), text_(text), failure_(failure) {}
    const QString& text() const { return text_; }
    DbFailure failure() const { return failure_; }
    bool connectionLost() const { return failure_ == DbFailure::ConnectionLost; }

private:
    QString text_;
    DbFailure failure_;
};
