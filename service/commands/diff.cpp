// kestrin-service diff: what changed from inventory A to inventory B, one change a line
// (or, with --json, as JSON); --volatiles also compares what changes on every run.
#include "compare/change_text.h"
#include "core/cp1252.h"
#include "service/changes_json.h"
#include "service/commands/arguments.h"
#include "service/commands/command_table.h"
#include "service/filing/changes.h"

namespace rb::service {

int DiffCommand(const Arguments& args) {
    if (args.words.size() != 2) throw UsageError();
    const int64_t before = ParseNumber(args.words[0]), after = ParseNumber(args.words[1]);
    const std::unique_ptr<Store> store = OpenServiceStore(args);
    compare::DiffOptions options;
    options.includeVolatile = args.Flag("--volatiles");
    const compare::Difference d = CompareStored(*store, before, after, options);
    if (args.Flag("--json")) {
        std::puts(DifferenceJson(before, after, d).dump(2).c_str());
        return 0;
    }
    for (const compare::Change& c : d.changes) Print(compare::ChangeLine(c) + "\n");
    return 0;
}

}  // namespace rb::service
