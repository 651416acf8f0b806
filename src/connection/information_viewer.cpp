#include "connection/information_viewer.h"

#include "core/exception.h"

namespace rb {

InformationViewer::~InformationViewer() = default;

void UnavailableViewer::ShowInformation(TMSystemInfo&) {
    throw Exception(kViewerUnavailableMessage);
}

}  // namespace rb
