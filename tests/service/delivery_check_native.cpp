// After a load: what the store holds against what the clients were told.
#include <map>

#include "core/text.h"
#include "service/delivery_load.h"

namespace rb::test {
namespace {

bool SameTexts(const service::Inventory& kept, const service::Inventory& sent) {
    return kept.clientId == sent.clientId && kept.operation == sent.operation &&
           kept.header.Nombre == sent.header.Nombre &&
           kept.header.Telefono == sent.header.Telefono &&
           kept.header.Observaciones == sent.header.Observaciones &&
           kept.header.Destino == sent.header.Destino && kept.xml == sent.xml;
}

}  // namespace

std::vector<std::string> CheckStored(service::Store& store,
                                     const std::vector<std::vector<Delivery>>& deliveries) {
    std::vector<std::string> problems;
    const auto problem = [&problems](const std::string& text) {
        if (problems.size() < 20) problems.push_back(text);
    };
    std::map<int64_t, const Delivery*> byReceipt;
    std::map<std::string, int64_t> perComputer;
    int64_t calls = 0;
    for (const auto& client : deliveries) {
        for (const Delivery& call : client) {
            ++calls;
            if (call.receipt == 0) {
                problem("una entrega sin recibo: " + call.sent.header.Observaciones);
                continue;
            }
            const auto [at, fresh] = byReceipt.emplace(call.receipt, &call);
            if (!fresh)
                problem(Format("el recibo %lld contestó a dos entregas", (long long)call.receipt));
            ++perComputer[call.computer];
            const std::optional<service::Inventory> kept = store.GetInventory(call.receipt);
            if (!kept) {
                problem(Format("el inventario %lld de un recibo no está", (long long)call.receipt));
            } else if (!SameTexts(*kept, call.sent)) {
                problem(Format("el inventario %lld no es lo enviado", (long long)call.receipt));
            }
        }
    }
    const int64_t listed = static_cast<int64_t>(store.ListAll().size());
    const int64_t found = store.Search(service::InventoryQuery()).total;
    if (listed != calls || found != calls) {
        problem(Format("%lld entregas, y la lista tiene %lld (la búsqueda, %lld)", (long long)calls,
                       (long long)listed, (long long)found));
    }
    std::map<std::string, int64_t> machines;  // inventories counted per computer
    for (const service::MachineRecord& m : store.ListMachines(0, 1 << 30)) {
        if (machines.count(m.computer)) problem("dos máquinas para " + m.computer);
        machines[m.computer] += m.inventories;
    }
    if (machines != perComputer) problem("las máquinas no cuentan las entregas de sus equipos");
    return problems;
}

}  // namespace rb::test
