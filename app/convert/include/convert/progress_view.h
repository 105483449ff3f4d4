#pragma once
// The progress window "Conversion Progress" as the conversion writes it: four labels and the
// gauge. The window, the command-line runner and the tests each provide one.

#include <string>

namespace convert {

class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void SetStatusText(const std::string& text) = 0;   // lblStatus
    virtual void SetFileNameText(const std::string& text) = 0; // lblFileName
    virtual void SetInputText(const std::string& text) = 0;    // lblInput
    virtual void SetOutputText(const std::string& text) = 0;   // lblOutput
    virtual void SetGauge(int percent) = 0;                    // MMGauge1, 0 to 100
};

// A view that shows nothing.
class SilentProgressView final : public ProgressView {
public:
    void SetStatusText(const std::string&) override {}
    void SetFileNameText(const std::string&) override {}
    void SetInputText(const std::string&) override {}
    void SetOutputText(const std::string&) override {}
    void SetGauge(int) override {}
};

} // namespace convert
