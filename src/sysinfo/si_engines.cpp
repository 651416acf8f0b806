#include "sysinfo/si_engines.h"

namespace rb {

const ClassInfo& TEngines::StaticClass() {
    using E = TEngines;
    static const ClassInfo info("TEngines", &TInfoProcess::StaticClass(),
                                {
                                    Prop<&E::ODBC>("ODBC"),
                                    Prop<&E::BDE>("BDE"),
                                    Prop<&E::DAO>("DAO"),
                                    Prop<&E::ADO>("ADO"),
                                },
                                MakeInstance<TEngines>);
    return info;
}

TEngines::TEngines(TStringCollection* errorList) : TInfoProcess(errorList) {
    SetCaption("Motores");
}

void TEngines::Report(StringList& list) {
    // Every engine gets its heading; the version line only when one was found.
    struct Engine {
        const char* heading;
        std::string TEngines::*version;
    };
    static const Engine engines[] = {
        {"[ODBC]", &TEngines::ODBC},
        {"[BDE]", &TEngines::BDE},
        {"[DAO]", &TEngines::DAO},
        {"[ADO]", &TEngines::ADO},
    };
    for (const Engine& e : engines) {
        list.Add(e.heading);
        const std::string& version = this->*e.version;
        if (!version.empty()) list.Add("Version=" + version);
    }
}

}  // namespace rb
