#pragma once

#include "gps/ReceiverSearch.h"

namespace hw {

class GpsLink;
class NmeaParser;
class SerialPort;
class UiPacer;

// The receiver search run over the program's own link: ports opened through
// GpsLink (so the reader feeds the parser), sentence counts from the parser.
class LinkSearchHost final : public ReceiverSearchHost {
public:
    LinkSearchHost(GpsLink& link, SerialPort& port, NmeaParser& parser, UiPacer& pacer)
        : link_(link), port_(port), parser_(parser), pacer_(pacer)
    {
    }

    void EnumeratePorts() override;
    void ClosePort() override;
    void Pause(int milliseconds) override;
    bool Connect(int port, uint32_t baud) override;
    bool ConnectRefused() const override;
    SentenceCounts Counts() const override;

private:
    GpsLink& link_;
    SerialPort& port_;
    NmeaParser& parser_;
    UiPacer& pacer_;
};

} // namespace hw
