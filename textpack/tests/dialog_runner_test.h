#pragma once

#include <QObject>

class DialogRunnerTest : public QObject {
    Q_OBJECT

private slots:
    void everyTemplateShowsItsControls_data();
    void everyTemplateShowsItsControls();
    void optionsTemplatesHaveTheirCaptions();
    void comboCallsFillSelectAndReadBack();
    void controlCallsRefuseUnknownIds();
    void enableControlDisablesTheWidget();
    void buttonPressSendsItsCommandAndEndDialogReturnsTheResult();
    void escapeAsksForCancelAndTheProcedureDecides();
    void endDuringInitNeverShowsTheDialog();
    void unknownTemplateOrNullProcedureCannotBeShown();
    void liveOwnerOwnsTheDialogAndAStalePointerDoesNot();
    void activeWindowIsTheApplicationsActiveWindow();
    void centreWindowCentresOnTheScreenAndKeepsTheSize();
};
