#pragma once

#include <QString>
#include <stdexcept>

// A database failure, carrying the database's own text for the standard error box.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};
