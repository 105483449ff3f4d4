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

QString objectNameOf(int id) {
    return QStringLiteral("control%1").arg(id);
}

void poll(std::function<void(QWidget*)> answer, int pollsLeft) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
        answer(modal);
        return;
    }
    if (pollsLeft > 0) {
        QTimer::singleShot(pollMilliseconds, qApp,
                           [answer, pollsLeft] { poll(answer, pollsLeft - 1); });
    }
}

} // namespace

void answerNextModal(std::function<void(QWidget* modal)> answer) {
    QTimer::singleShot(0, qApp, [answer] { poll(answer, maximumPolls); });
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
