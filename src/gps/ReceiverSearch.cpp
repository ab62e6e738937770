#include "gps/ReceiverSearch.h"

#include "base/SettingsStore.h"
#include "base/Translate.h"
#include "gps/SerialTransport.h"

#include <iterator>

namespace hw {
namespace {

constexpr int kWaitTicks = 19;    // about two seconds a rate without data
constexpr int kVerifyTicks = 99;  // about ten seconds to see every type
constexpr unsigned kAllSeen = 15; // GGA 1, GSV 2, GSA 4, RMC 8

} // namespace

void ReceiverSearch::Start()
{
    host_.EnumeratePorts();
    outcome_ = Outcome::Running;
    port_ = 0;
    step_ = 0;
    rateIndex_ = 0;
    progress_ = 0;
    seen_ = 0;
    refused_ = false;
    readouts_.fill("---");
    host_.ClosePort();
}

void ReceiverSearch::Finish(Outcome outcome)
{
    outcome_ = outcome;
    if (outcome == Outcome::NotFound)
        host_.ClosePort();
}

std::string ReceiverSearch::FinalMessage() const
{
    switch (outcome_) {
    case Outcome::Found: return Translate("ReceiverSearch", kFoundText);
    case Outcome::NotFound: {
        std::string text = Translate("ReceiverSearch", kNotFoundText);
        return refused_ ? text + "\n" + Translate("SerialTransport", kDialoutHint) : text;
    }
    case Outcome::Incomplete: return Translate("ReceiverSearch", kIncompleteText);
    case Outcome::Running: break;
    }
    return {};
}

void ReceiverSearch::WaitForData()
{
    if (host_.Counts().sentences != startCount_) {
        status_ = Translate("ReceiverSearch", "正在验证 NMEA...");
        settings_.SetInt(section::kSerial, "端口", port_);
        settings_.SetInt(section::kSerial, "速率", static_cast<int32_t>(kRates[rateIndex_]));
        taken_ = host_.Counts();
        ticks_ = 0;
        seen_ = 0;
        step_ = 5;
        return;
    }
    if (ticks_++ <= kWaitTicks)
        return;
    if (++rateIndex_ < static_cast<int>(std::size(kRates))) {
        status_ = Translate("ReceiverSearch", "正在改变波特率...");
        step_ = 1;
    } else {
        step_ = 4;
    }
}

void ReceiverSearch::Verify()
{
    if (seen_ == kAllSeen) {
        Finish(Outcome::Found);
        return;
    }
    if (ticks_++ > kVerifyTicks) {
        Finish(Outcome::Incomplete);
        return;
    }
    const SentenceCounts now = host_.Counts();
    struct Check {
        uint32_t SentenceCounts::*count;
        unsigned bit;
        Sentence readout;
    };
    constexpr Check kChecks[] = {{&SentenceCounts::gga, 1, kGga},
                                 {&SentenceCounts::gsv, 2, kGsv},
                                 {&SentenceCounts::gsa, 4, kGsa},
                                 {&SentenceCounts::rmc, 8, kRmc}};
    for (const Check& check : kChecks) {
        if (now.*check.count != taken_.*check.count) {
            seen_ |= check.bit;
            readouts_[check.readout] = "PASS";
        }
    }
}

void ReceiverSearch::Tick()
{
    if (!Running())
        return;
    switch (step_) {
    case 0:
        rateIndex_ = 0;
        status_ = Translate("ReceiverSearch", "正在搜索 GPS...");
        step_ = 1;
        break;
    case 1:
        status_ = Translate("ReceiverSearch", "正在打开端口...");
        host_.ClosePort();
        host_.Pause(100);
        shownPort_ = port_;
        shownBaud_ = kRates[rateIndex_];
        if (host_.Connect(port_, kRates[rateIndex_])) {
            startCount_ = host_.Counts().sentences;
            ticks_ = 0;
            step_ = 2;
        } else {
            refused_ = refused_ || host_.ConnectRefused();
            step_ = 4;
        }
        break;
    case 2:
        status_ = Translate("ReceiverSearch", "正在等待数据...");
        ticks_ = 0;
        step_ = 3;
        break;
    case 3: WaitForData(); break;
    case 4:
        ++progress_;
        if (port_++ < kLastPort)
            step_ = 0;
        else
            Finish(Outcome::NotFound);
        break;
    case 5: Verify(); break;
    default: break;
    }
}

} // namespace hw
