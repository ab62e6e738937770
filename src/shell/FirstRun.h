#pragma once

namespace hw {

class SettingsStore;

// The steps the program takes once per start, right after its window is up:
// the disclaimer (every start, or every tenth once the user ticked "do not
// show again") and, on the very first start, the offer to look for the
// receiver.
class FirstRun {
public:
    static constexpr const char* kNoDisclaimer = "NoDisclaimer"; // "设置", 0/1, default 0
    static constexpr const char* kRunCount = "RunCount";         // "设置", default 0
    static constexpr const char* kFirstSetup = "首次通讯设置";   // "设置", 0/1, default 1

    explicit FirstRun(SettingsStore& settings) : settings_(settings) {}

    // Whether the disclaimer is due this start; counts the start when the
    // user asked not to see it.
    bool DisclaimerDue();
    // The user accepted the disclaimer with the check box as given.
    void DisclaimerAccepted(bool doNotShowAgain);
    bool SetupDue() const;
    // No receiver port was ever stored (the integer "端口" of "串口"): the
    // program starts on the demo replay.
    bool ReceiverNeverSetUp() const;
    // The set-up offer was answered, either way.
    void SetupDone();

private:
    SettingsStore& settings_;
};

} // namespace hw
