// The general channel: refuses overlapping calls, offers hooks before and after the transfer
// and a retry decision on failure, and carries the progress event. The transfer itself is
// DoDispatch, given by the concrete channel (http_channel.h).
#pragma once

#include <cstdint>
#include <exception>

#include "core/event.h"
#include "core/persistent.h"
#include "remoting/rc_interfaces.h"

namespace rb {

enum class TProgressType : uint8_t { ptUnknown, ptStart, ptInProgress, ptDone };
enum class TProgressDirection : uint8_t { pdUnknown, pdSending, pdReceiving };

// iSender (the channel), iType, iDirection, iTransferred, iTotal.
using TProgressEvent = Event<Persistent*, TProgressType, TProgressDirection, int32_t, int32_t>;
using TStreamDispatch = Event<MemoryStream&>;
// anException, Retry: a handler that sets Retry has the whole transfer made again.
using TStreamDispatchFailure = Event<const std::exception&, bool&>;

class TRCTransportChannel : public Component, public IRCChannel {
    RB_PERSISTENT_CLASS
public:
    explicit TRCTransportChannel(Component* owner = nullptr) : Component(owner) {}

    TRCTransportChannel* GetTransportObject() override { return this; }
    // Raises "Channel is busy. Try again later." when a Dispatch is already running (for
    // example when called again from a progress handler). Leaves the response at position 0.
    void Dispatch(MemoryStream& request, MemoryStream& response) override;

    bool Busy() const { return busy_; }

    TStreamDispatch OnSendStream;
    TStreamDispatch OnReceiveStream;
    TStreamDispatchFailure OnFailure;
    TProgressEvent OnProgress;

protected:
    // Sends the request (positioned at 0) and appends the reply to the response.
    virtual void DoDispatch(MemoryStream& request, MemoryStream& response) = 0;
    void Progress(TProgressType type, TProgressDirection direction, int64_t transferred,
                  int64_t total);
    // 0 for the first transfer of a Dispatch, then 1, 2... for each retry.
    int Attempt() const { return attempt_; }

private:
    bool busy_ = false;
    int attempt_ = 0;
};

}  // namespace rb
