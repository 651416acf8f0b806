#include "remoting/transport_channel.h"

#include "core/exception.h"

namespace rb {

const ClassInfo& TRCTransportChannel::StaticClass() {
    static const ClassInfo info("TRCTransportChannel", &Component::StaticClass(),
                                {PropRW<&TRCTransportChannel::Busy, nullptr>("Busy")});
    return info;
}

void TRCTransportChannel::Dispatch(MemoryStream& request, MemoryStream& response) {
    if (busy_) throw Exception("Channel is busy. Try again later.");
    busy_ = true;
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};

    OnSendStream(request);
    for (attempt_ = 0;; ++attempt_) {
        try {
            request.SetPosition(0);
            DoDispatch(request, response);
            response.SetPosition(0);
            if (OnReceiveStream.Assigned()) {
                OnReceiveStream(response);
                response.SetPosition(0);
            }
            return;
        } catch (const std::exception& e) {
            bool retry = false;
            OnFailure(e, retry);
            if (!retry) throw;
            // The failed transfer may have left part of a reply: the next one starts afresh.
            response.Clear();
        }
    }
}

void TRCTransportChannel::Progress(TProgressType type, TProgressDirection direction,
                                   int64_t transferred, int64_t total) {
    OnProgress(this, type, direction, static_cast<int32_t>(transferred),
               static_cast<int32_t>(total));
}

}  // namespace rb
