#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every modal message box of the station goes through here, so tests answer them in advance.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    virtual QMessageBox::StandardButton show(QWidget* owner, QMessageBox::Icon icon,
                                             const QString& caption, const QString& text,
                                             QMessageBox::StandardButtons buttons) = 0;

    void information(QWidget* owner, const QString& caption, const QString& text) {
        show(owner, QMessageBox::Information, caption, text, QMessageBox::Ok);
    }
    // OK / Cancel with a question icon; true for OK.
    bool confirm(QWidget* owner, const QString& caption, const QString& text) {
        return show(owner, QMessageBox::Question, caption, text,
                    QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
    // Yes / No without an icon; true for Yes.
    bool askYesNo(QWidget* owner, const QString& caption, const QString& text) {
        return show(owner, QMessageBox::NoIcon, caption, text,
                    QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    // The standard error box: the error's text under the application's title.
    void error(QWidget* owner, const QString& text);
};

class QtMessageBoxes final : public MessageBoxes {
public:
    QMessageBox::StandardButton show(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                     const QString& text,
                                     QMessageBox::StandardButtons buttons) override;
};
