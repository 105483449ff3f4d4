#include "dialog_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace dialogdriver {
namespace {

constexpr int pollMilliseconds = 10;
constexpr int maximumPolls = 500;

// Answers asked for before the last cancelPendingAnswers stop polling.
int answerGeneration = 0;

QString objectNameOf(int id) {
    return QStringLiteral("control%1").arg(id);
}

void poll(std::function<void(QWidget*)> answer, int pollsLeft, int generation) {
    if (generation != answerGeneration) {
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
        answer(modal);
        return;
    }
    if (pollsLeft > 0) {
        QTimer::singleShot(pollMilliseconds, qApp, [answer, pollsLeft, generation] {
            poll(answer, pollsLeft - 1, generation);
        });
    }
}

} // namespace

void answerNextModal(std::function<void(QWidget* modal)> answer) {
    const int generation = answerGeneration;
    QTimer::singleShot(0, qApp, [answer, generation] { poll(answer, maximumPolls, generation); });
}

void cancelPendingAnswers() {
    ++answerGeneration;
}

QComboBox* comboOf(QWidget* dialog, int controlId) {
    return dialog ? dialog->findChild<QComboBox*>(objectNameOf(controlId)) : nullptr;
}

QPushButton* buttonOf(QWidget* dialog, int controlId) {
    return dialog ? dialog->findChild<QPushButton*>(objectNameOf(controlId)) : nullptr;
}

bool press(QWidget* dialog, int controlId) {
    QPushButton* button = buttonOf(dialog, controlId);
    if (button == nullptr) {
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

} // namespace dialogdriver
