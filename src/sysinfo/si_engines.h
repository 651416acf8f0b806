// The engines section: versions of the installed database access engines (ODBC, BDE, DAO, ADO).
#pragma once

#include <string>

#include "sysinfo/section_base.h"

namespace rb {

class TEngines : public TInfoProcess {
    RB_PERSISTENT_CLASS
public:
    explicit TEngines(TStringCollection* errorList = nullptr);
    void GetInfo() override;
    void Report(StringList& list) override;

    std::string ODBC;  // file version of the ODBC driver manager
    std::string BDE;   // file version of the Borland Database Engine
    std::string DAO;   // version the DAO engine object reports
    std::string ADO;   // version of the ADO connection component

private:
    void GatherFileVersions();
    void GatherAutomation();
};

}  // namespace rb
