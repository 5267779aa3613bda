#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "core/alerts/Announcement.h"
#include "gui/common/ErrorGuard.h"
#include "gui/common/StationContext.h"

class QTimer;

// The notice of a scanned dish: a small frameless window in the corner of the desktop next to
// the taskbar, on top of every window and never taking the focus from the dish search box.
// It shows for 8 seconds, then shrinks towards the taskbar and closes; a click closes it.
class NoticeWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShownMs = 8000;
    static constexpr int kShrinkMs = 25;
    static constexpr int kShrinkStep = 9;
    static inline const QSize kSize{300, 200};

    // reason empty: the dish was served; otherwise why it was not, under the dish name.
    NoticeWindow(const QString& title, const QString& dishName, const QString& reason,
                 const ErrorGuard& guard, QWidget* owner);

    QString title() const { return title_; }
    QString dishName() const { return dishName_; }
    QString reason() const { return reason_; }
    bool closing() const { return closing_; }

    // Shows it in the corner of the work area of the screen the owner is on.
    void showInCorner();
    // What the timers do: start shrinking, and one step of it (the last one closes).
    void startClosing();
    void shrinkStep();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ErrorGuard guard_;
    QString title_;
    QString dishName_;
    QString reason_;
    TaskbarSide side_ = TaskbarSide::Bottom;
    bool closing_ = false;
    QTimer* shown_;
    QTimer* shrink_;
};

// ShowServedNotice: at most one notice is ever on the screen; the next one closes it.
class ServedNotice final : public QObject {
    Q_OBJECT

public:
    explicit ServedNotice(StationContext& ctx, QObject* parent = nullptr);
    ~ServedNotice() override;

    void ShowServedNotice(const QString& dishName);
    // A scan that served nothing: the dish and why, so the runner does not take it out.
    void ShowNotServedNotice(const QString& dishName, const QString& reason);
    // Any other command on a line that wrote nothing: its own title, the dish and why.
    void ShowNotDoneNotice(const QString& title, const QString& dishName, const QString& reason);

    // The notice on the screen, if one is.
    NoticeWindow* current() const { return current_; }

private:
    void show(const QString& title, const QString& dishName, const QString& reason);

    StationContext& ctx_;
    QPointer<NoticeWindow> current_;
};
