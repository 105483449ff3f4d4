#include "template_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int commandCancel = 2;

QString objectNameOf(int id) {
    return QStringLiteral("control%1").arg(id);
}

} // namespace

TextpackDialog::TextpackDialog(const textpack::DialogTemplate& dialogTemplate, QWidget* owner,
                               TextpackDialogProc proc, void* context)
    : QDialog(owner)
    , proc_(proc)
    , context_(context) {
    setObjectName(QString::fromLatin1(dialogTemplate.name));
    setWindowTitle(QString::fromUtf8(dialogTemplate.title));
    setModal(true);
    buildControls(dialogTemplate);
}

// Texts stack at the top, combo boxes form labelled rows, buttons share one row at the bottom
// in template order, the first of them being the default button.
void TextpackDialog::buildControls(const textpack::DialogTemplate& dialogTemplate) {
    auto* outer = new QVBoxLayout(this);
    auto* rows = new QFormLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    bool firstButton = true;
    for (const textpack::ControlTemplate& item : dialogTemplate.controls) {
        const QString text = QString::fromUtf8(item.text);
        QWidget* widget = nullptr;
        switch (item.kind) {
        case textpack::ControlKind::Text: {
            auto* label = new QLabel(text, this);
            label->setWordWrap(true);
            outer->addWidget(label);
            continue; // texts carry no id and are never addressed
        }
        case textpack::ControlKind::Combo: {
            auto* box = new QComboBox(this);
            auto* label = new QLabel(text, this);
            label->setBuddy(box);
            rows->addRow(label, box);
            widget = box;
            break;
        }
        case textpack::ControlKind::Button: {
            auto* button = new QPushButton(text, this);
            button->setDefault(firstButton);
            firstButton = false;
            const int id = item.id;
            connect(button, &QPushButton::clicked, this, [this, id] { command(id); });
            buttons->addWidget(button);
            widget = button;
            break;
        }
        }
        widget->setObjectName(objectNameOf(item.id));
        controls_[item.id] = widget;
    }
    outer->addLayout(rows);
    outer->addLayout(buttons);
}

intptr_t TextpackDialog::run() {
    proc_(this, TEXTPACK_DIALOG_INIT, 0, context_);
    // A procedure may end the dialog while it initialises it; it is then never shown.
    if (!ended_) {
        exec();
    }
    return result_;
}

void TextpackDialog::end(intptr_t result) {
    result_ = result;
    ended_ = true;
    if (isVisible()) {
        done(0);
    }
}

QWidget* TextpackDialog::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

QComboBox* TextpackDialog::combo(int id) const {
    return qobject_cast<QComboBox*>(control(id));
}

void TextpackDialog::reject() {
    command(commandCancel);
}

void TextpackDialog::command(int id) {
    if (!ended_) {
        proc_(this, TEXTPACK_DIALOG_COMMAND, id, context_);
    }
}
