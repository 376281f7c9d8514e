// A model of the spell dialog's effect tree, for the generator's self-check: the
// same insertions in the same order and the same single flattening pass over
// the root items as they stand when the pass begins.
#include "GenCommon.h"
#include "Spells.h"

#include <algorithm>
#include <map>

namespace wg2 {
namespace {

struct Node {
    std::string text;
    int data;                  // -1 effect, else spell id
    std::vector<int> children; // node ids, in tree order
};

// The tree control's order: case-insensitive; equal names go after the ones
// already there (the order of equals is the implementer's choice).
bool Before(const std::string& a, const std::string& b) { return LowerAscii(a) < LowerAscii(b); }

void InsertSorted(std::vector<int>& siblings, const std::vector<Node>& nodes, int id) {
    auto at = std::upper_bound(siblings.begin(), siblings.end(), id,
                               [&](int x, int y) { return Before(nodes[size_t(x)].text, nodes[size_t(y)].text); });
    siblings.insert(at, id);
}

}  // namespace

TreeOutcome BuildAndFlattenTree(const std::vector<TreeEffect>& effects, const std::vector<TreeSpell>& spells) {
    std::vector<Node> nodes;
    std::vector<int> root;
    std::map<int, int> byKey;  // effect key -> node; a later effect of the same key replaces the earlier one
    for (const auto& e : effects) {
        nodes.push_back({e.name, -1, {}});
        const int id = int(nodes.size()) - 1;
        InsertSorted(root, nodes, id);
        byKey[e.key] = id;
    }
    for (const auto& s : spells) {
        nodes.push_back({s.name, s.id, {}});
        const int id = int(nodes.size()) - 1;
        auto it = byKey.find(s.effect);
        if (it == byKey.end()) InsertSorted(root, nodes, id);
        else InsertSorted(nodes[size_t(it->second)].children, nodes, id);
    }

    TreeOutcome out;
    const std::vector<int> pass = root;  // root items as they stand when the pass begins
    for (int id : pass) {
        const size_t n = nodes[size_t(id)].children.size();
        if (n == 0) {
            root.erase(std::find(root.begin(), root.end(), id));
            ++out.removed;
        } else if (n == 1) {
            const Node child = nodes[size_t(nodes[size_t(id)].children[0])];
            nodes.push_back({child.text, child.data, {}});
            root.erase(std::find(root.begin(), root.end(), id));
            InsertSorted(root, nodes, int(nodes.size()) - 1);
            ++out.replaced;
        } else {
            ++out.kept;
            out.minKeptChildren = out.kept == 1 ? int(n) : std::min(out.minKeptChildren, int(n));
            out.maxKeptChildren = std::max(out.maxKeptChildren, int(n));
        }
    }
    out.rootItems = int(root.size());
    for (int id : root) {
        out.beneath += int(nodes[size_t(id)].children.size());
        out.rootNames.push_back(nodes[size_t(id)].text);
    }
    return out;
}

}  // namespace wg2
