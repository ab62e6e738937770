#include "gps/SirfParameterSetup.h"

#include "base/Clock.h"
#include "base/Translate.h"
#include "base/UiPacer.h"
#include "units/UnitFormatter.h"

namespace hw {
namespace {

constexpr int kTries = 3;
constexpr int kAckSeconds = 2;
constexpr int kVersionPolls = 30;
constexpr int kPollMs = 100;
constexpr int kSettleTicks = 20;

std::string PassText(bool passed)
{
    return passed ? "Pass" : Translate("SirfParameterSetup", "失败");
}

} // namespace

std::string SirfSetupResult::ErrorMessage() const
{
    if (rateRefused)
        return FormatTranslated(
            "SirfParameterSetup",
            HW_TRANSLATE_NOOP("SirfParameterSetup",
                              "The port runs at %u baud, faster than the SiRF switch back to NMEA "
                              "can carry (57600 baud at most). Set the port to 57600 baud or "
                              "slower in \"设置串口\" first; nothing was sent to the receiver."),
            refusedBaud);
    if (AllPassed())
        return {};
    return FormatString("Could not set all of the parameters to the SiRF GPS receiver. "
                        "Results:\n\nSoftware Version: %s\nDGPS Control: %s\nDGPS Source: "
                        "%s\nStatic Nav: %s\n",
                        PassText(version).c_str(), PassText(dgpsControl).c_str(),
                        PassText(dgpsSource).c_str(), PassText(staticNavigation).c_str());
}

std::string SirfSetupResult::InfoMessage() const
{
    if (versionText.empty())
        return {};
    return FormatString("%sReceiver reported version:\n\n%s",
                        AllPassed() ? Translate("SirfParameterSetup", "设置成功. ").c_str() : "",
                        versionText.c_str());
}

bool SirfParameterSetup::SwitchAndPollVersion(uint32_t baud)
{
    progress_.SetText(Translate("SirfParameterSetup", "切换到 SiRF 二进制..."));
    link_.PurgePort();
    sirf_.ResetReceiver();
    sirf_.SwitchToBinary(0, baud, 8, 1, 0);
    // Nothing acknowledges id 0: a pause while the receiver changes over.
    sirf_.WaitAck(0, kAckSeconds, clock_, pacer_);

    progress_.SetText("Polling version...");
    const uint32_t before = sirf_.VersionCount();
    const uint8_t poll[] = {SirfProtocol::kPollVersion, 0};
    sirf_.SendBinary(poll, sizeof poll);
    for (int i = 0; i < kVersionPolls; ++i) {
        pacer_.Sleep(kPollMs);
        sirf_.Pump();
        if (sirf_.VersionCount() != before)
            return true;
    }
    return false;
}

bool SirfParameterSetup::SendUntilAcknowledged(const std::vector<uint8_t>& payload)
{
    for (int i = 0; i < kTries; ++i) {
        sirf_.SendBinary(payload);
        if (sirf_.WaitAck(payload[0], kAckSeconds, clock_, pacer_))
            return true;
    }
    return false;
}

void SirfParameterSetup::PumpFor(int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        pacer_.PumpMessages();
        pacer_.Sleep(kPollMs);
    }
}

bool SirfParameterSetup::CarriesRate(uint32_t baud)
{
    for (uint32_t rate : kNmeaSwitchRates)
        if (rate == baud)
            return true;
    return false;
}

SirfSetupResult SirfParameterSetup::Run(uint32_t baud, const SirfSetupOptions& options)
{
    SirfSetupResult result;
    if (!CarriesRate(baud)) {
        // Switched to binary, the receiver could never be told this rate back.
        result.rateRefused = true;
        result.refusedBaud = baud;
        return result;
    }
    link_.PauseReader(true);
    pacer_.Sleep(kPollMs);
    link_.StopWatchdog();

    for (int i = 0; i < kTries && !result.version; ++i)
        result.version = SwitchAndPollVersion(baud);

    if (!result.version) {
        progress_.ShowError(Translate("SirfParameterSetup", "不能切换到 SiRF 二元模式"));
    } else {
        result.versionText = sirf_.VersionText();
        progress_.Step();
        progress_.SetText(Translate("SirfParameterSetup", "设置 WAAS 参数"));
        result.dgpsSource = SendUntilAcknowledged(SirfProtocol::DgpsSourcePayload(options.sbas));
        result.dgpsControl = SendUntilAcknowledged(SirfProtocol::DgpsControlPayload(options.sbas));
        progress_.Step();
        progress_.SetText(Translate("SirfParameterSetup", "设置静态导航参数..."));
        result.staticNavigation =
            SendUntilAcknowledged(SirfProtocol::StaticNavigationPayload(options.staticNavigation));
        progress_.Step();
    }

    // Back to NMEA in every case, so a receiver that did switch is never
    // left speaking binary.
    sirf_.SendBinary(SirfProtocol::SwitchToNmeaPayload(options.rates, baud));

    progress_.SetText(Translate("SirfParameterSetup", "切换回 NMEA..."));
    PumpFor(kSettleTicks);
    progress_.Step();
    progress_.SetText(Translate("SirfParameterSetup", "循环连接..."));
    link_.ClosePort();
    link_.PauseReader(false);
    link_.RestartWatchdog();
    PumpFor(kSettleTicks);
    link_.ReconnectStored();
    progress_.Step();
    progress_.SetText(Translate("SirfParameterSetup", "完成."));
    return result;
}

} // namespace hw

namespace hw {

void SetSirfNmeaOutput(SirfProtocol& sirf, UiPacer& pacer)
{
    using M = SirfProtocol::NmeaMessage;
    const std::pair<M, int> rates[] = {
        {M::VTG, 0}, {M::GGA, 1}, {M::RMC, 1}, {M::GSV, 2}, {M::GSA, 2}};
    for (const auto& [message, seconds] : rates) {
        sirf.SetRate(message, seconds);
        pacer.Sleep(50);
    }
}

} // namespace hw
