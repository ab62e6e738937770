#include "gps/LinkSearchHost.h"

#include "base/UiPacer.h"
#include "gps/GpsLink.h"
#include "gps/NmeaParser.h"
#include "gps/SerialPort.h"

namespace hw {

void LinkSearchHost::EnumeratePorts()
{
    std::string error;
    std::vector<std::string> warnings;
    port_.EnumeratePorts(error, warnings);
}

void LinkSearchHost::ClosePort()
{
    link_.ClosePort();
}

void LinkSearchHost::Pause(int milliseconds)
{
    pacer_.Sleep(milliseconds);
}

bool LinkSearchHost::Connect(int port, uint32_t baud)
{
    return link_.Connect(port, baud, false);
}

bool LinkSearchHost::ConnectRefused() const
{
    return port_.LastOpenError() == SerialOpenError::NotPermitted;
}

SentenceCounts LinkSearchHost::Counts() const
{
    const GpsFix fix = parser_.Snapshot();
    SentenceCounts counts;
    counts.sentences = parser_.SentenceCount();
    counts.gga = fix.ggaCount;
    counts.gsa = fix.gsaCount;
    counts.gsv = fix.gsvCount;
    counts.rmc = fix.rmcCount;
    return counts;
}

} // namespace hw
