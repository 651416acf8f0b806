#include "sysinfo/si_printers.h"

namespace rb {

const ClassInfo& TPrinterDeviceComplete::StaticClass() {
    static const ClassInfo info("TPrinterDeviceComplete", &CollectionItem::StaticClass(), {},
                                MakeInstance<TPrinterDeviceComplete>);
    return info;
}

const ClassInfo& TPrinters::StaticClass() {
    static const ClassInfo info("TPrinters", &TInfoProcessCollection::StaticClass(), {}, MakeInstance<TPrinters>);
    return info;
}

TPrinters::TPrinters(TStringCollection* errorList)
    : TInfoProcessCollection(errorList, TPrinterDeviceComplete::StaticClass()) {
    InfoName = "Impresoras";
}

void TPrinters::GetInfo() {}

void TPrinters::Report(StringList& list) { list.Add("[Printers]"); }

}  // namespace rb
