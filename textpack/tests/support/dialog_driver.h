// Answers modal dialogs in tests through their real widgets: a timer waits for the next modal
// widget to appear, hands it to the test's answer, and the answer presses a real button.
#pragma once

#include <functional>

class QComboBox;
class QPushButton;
class QWidget;

namespace dialogdriver {

// Calls `answer` with the next modal widget once the event loop shows one. Waits at most
// about five seconds; the answer must close the widget (press a button) or the caller's modal
// call never returns.
void answerNextModal(std::function<void(QWidget* modal)> answer);
// Drops every answer still waiting for its modal widget: the test knows none will come.
void cancelPendingAnswers();

// Controls of a Textpack dialog by their template ids; null when absent.
QComboBox* comboOf(QWidget* dialog, int controlId);
QPushButton* buttonOf(QWidget* dialog, int controlId);
// Clicks button `controlId` with the mouse; returns false when the dialog has no such button.
bool press(QWidget* dialog, int controlId);

} // namespace dialogdriver
