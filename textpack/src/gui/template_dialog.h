// The Qt dialog built from a template; its address is the handle a dialog procedure receives.
#pragma once

#include "dialog_templates.h"
#include "textpack/Textpack.h"

#include <QDialog>

#include <cstdint>
#include <map>

class QComboBox;
class QLayout;

struct TextpackDialog final : public QDialog {
public:
    TextpackDialog(const textpack::DialogTemplate& dialogTemplate, QWidget* owner,
                   TextpackDialogProc proc, void* context);

    // Sends the init event, then runs the dialog modally until the procedure ends it.
    intptr_t run();
    void end(intptr_t result);

    QWidget* control(int id) const;
    QComboBox* combo(int id) const;

    // Escape and the close box ask the procedure (command 2) instead of closing at once.
    void reject() override;

private:
    void buildControls(const textpack::DialogTemplate& dialogTemplate);
    void command(int id);

    TextpackDialogProc proc_;
    void* context_;
    std::map<int, QWidget*> controls_;
    intptr_t result_ = 0;
    bool ended_ = false;
};
