#include "gui/main/MainWindowParts.h"

MainWindowParts::MainWindowParts(StationContext& ctx, QWidget* window, const QString& programFolder)
    : ctx_(ctx),
      skeleton_(BuildMainWindowSkeleton(window)),
      board_(ctx, skeleton_.boardPlace, window),
      search_(ctx, skeleton_.searchPlace, window, programFolder),
      dishes_(ctx, skeleton_.dishPlace, skeleton_.stateFilterPlace, skeleton_.hiddenFilterPlace,
              skeleton_.iconPagingPlace),
      commands_(skeleton_.commandPlace),
      overdue_(ctx, dishes_.page(DishArea::OverdueTab)),
      hurryReturn_(ctx, dishes_.page(DishArea::HurryReturnTab)),
      served_(ctx, dishes_.page(DishArea::ServedTab)),
      reminder_(ctx, dishes_.reminderPlace()),
      notice_(ctx),
      announcer_(ctx, programFolder),
      band_(ctx.health, skeleton_.healthBandPlace) {
    dishes_.setView(DishArea::OverdueTab, &overdue_);
    dishes_.setView(DishArea::HurryReturnTab, &hurryReturn_);
    dishes_.setView(DishArea::ServedTab, &served_);
    wire();
}

QList<const QObject*> MainWindowParts::objects() const {
    return {skeleton_.window, &board_,       &search_, &dishes_,   &commands_,
            &overdue_,        &hurryReturn_, &served_, &reminder_, &band_};
}

void MainWindowParts::wire() {
    // Every slot below runs guarded where it is connected: an error ends that event with the
    // error box and the program goes on.
    const ErrorGuard guard(ctx_.boxes, ctx_.window);

    QObject::connect(
        &board_, &TableBoard::tableChosen, &dishes_,
        [this, guard](const QString& table) { guard.run([&] { dishes_.showTable(table); }); });
    // The tick's own guard decides; the report carries a failure back to it.
    QObject::connect(&board_, &TableBoard::dishViewsRefreshDue, &dishes_,
                     &DishArea::refreshForTick);
    QObject::connect(&board_, &TableBoard::dishSearchFocusWanted, &search_, &DishSearch::takeFocus);
    wireSearch();

    // The reminder came up: the pass looks at the list and can scan at once.
    QObject::connect(&reminder_, &OverdueReminder::reminderShown, &dishes_, [this, guard] {
        guard.run([&] {
            dishes_.showTab(DishArea::ListTab);
            search_.takeFocus();
        });
    });

    QObject::connect(&commands_, &DishCommandBar::stateRequested, &dishes_,
                     [this, guard](DishState state) {
                         guard.run([&] {
                             switch (state) {
                                 case DishState::StartMaking:
                                     dishes_.Button_kszzClick();
                                     break;
                                 case DishState::Urgent:
                                     dishes_.Button_jjzzClick();
                                     break;
                                 case DishState::CannotMake:
                                     dishes_.Button_wfzzClick();
                                     break;
                                 case DishState::Made:
                                     dishes_.Button_zzwcClick();
                                     break;
                                 case DishState::Served:
                                     dishes_.Button_cpysClick();
                                     break;
                             }
                         });
                     });
    QObject::connect(&commands_, &DishCommandBar::servedRequested, &dishes_,
                     guard.wrap([this] { dishes_.Button_cpysClick(); }));

    // A command that wrote nothing: the notice says which dish and why, and the runner hears
    // it, while the pass goes on.
    QObject::connect(&dishes_, &DishArea::commandNotDone, &notice_,
                     [this, guard](const QString& title, const QString& dish, const QString& why) {
                         guard.run([&] {
                             notice_.ShowNotDoneNotice(title, dish, why);
                             search_.playFailureSound();
                         });
                     });
    // The band follows the feeds' health.
    QObject::connect(&ctx_.health, &FeedHealth::changed, &band_, [this] { band_.update(); });
}
