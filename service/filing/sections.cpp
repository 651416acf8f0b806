// The sections an inventory says were selected, found in one pass over its text. A node tree
// of the whole document would cost many times the text's size for a hostile one (a long run
// of "<a>"); this keeps one byte per open element and the text since the last end tag.
// It follows the node tree's reading exactly: nesting by position only, a start tag whose
// name is empty leaves the element open to be named by the next one, and an element's body
// is the trimmed text since the last end or empty-element tag.
#include <vector>

#include "core/text.h"
#include "service/filing/filing.h"
#include "xml/xml_node_tree.h"

namespace rb::service {
namespace {

class SectionFinder {
public:
    void Take(const TParsePrimative& p) {
        if (p.kind == TParsePrimative::TDataPrimative) {
            text_.append(p.text);
            return;
        }
        const std::string_view t = p.text;
        if (t[0] == '/') {
            if (open_.back() == kList) sections_ = Trim(text_);
            text_.clear();
            if (open_.size() > 1) {
                open_.pop_back();
                named_ = true;  // only a named element gets a child element
            }
        } else if (t.find('/') == t.size() - 1) {
            const size_t space = t.find(' ');
            RoleOf(open_.back(),
                   space == std::string_view::npos ? std::string_view() : t.substr(0, space));
            text_.clear();
        } else if (t[0] != '?') {
            const std::string_view name = t.substr(0, t.find(' '));
            if (named_) {
                open_.push_back(RoleOf(open_.back(), name));
            } else if (open_.size() > 1) {
                // An unnamed element takes this name (it has no child element yet).
                open_.back() = RoleOf(open_[open_.size() - 2], name);
            }
            named_ = !name.empty();
        }
    }
    const std::string& Sections() const { return sections_; }

private:
    enum Role : uint8_t { kRoot, kSystem, kList, kOther };

    // The role of a child named `name` of an element of role `parent`: the first SYSTEMINFO
    // under the top, and the first PROCESSLIST under that one.
    Role RoleOf(uint8_t parent, std::string_view name) {
        if (parent == kRoot && !systemFound_ && SameText(name, "SYSTEMINFO")) {
            systemFound_ = true;
            return kSystem;
        }
        if (parent == kSystem && !listFound_ && SameText(name, "PROCESSLIST")) {
            listFound_ = true;
            return kList;
        }
        return kOther;
    }

    std::vector<uint8_t> open_{kRoot};  // the current element last
    bool named_ = false;                // whether the current element has a name
    bool systemFound_ = false;
    bool listFound_ = false;
    std::string text_;
    std::string sections_;
};

}  // namespace

std::string SelectedSections(std::string_view xml) {
    SectionFinder finder;
    TokeniseXML(xml, [&finder](const TParsePrimative& p) { finder.Take(p); });
    return finder.Sections();
}

int CountSections(const std::string& sections) {
    int count = 0;
    bool inName = false;
    for (const char c : sections) {
        const bool separator = c == ',' || c == ' ' || c == '[' || c == ']';
        if (!separator && !inName) ++count;
        inName = !separator;
    }
    return count;
}

}  // namespace rb::service
