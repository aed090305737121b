#include "menu/MenuFields.h"
#include "sendset/SendSetFields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A row of either record's field list, as the checks below see it.
struct Row {
    std::string name; // "<record>.<field>"
    size_t size;
    bool text, listed, secondList;
    long lo, hi;
    OptionList list;
    FieldPage page;
    int control;
    const SendSetField* send;
};

std::vector<Row> AllRows() {
    std::vector<Row> rows;
    for (const SendSetField& f : kSendSetFields)
        rows.push_back({std::string("CFG.BIN.") + f.name, f.size, f.text, f.listed, false,
                        f.minValue, SendSetFieldMaximum(f), f.list, f.page, f.control, &f});
    for (const MenuField& f : kMenuFields)
        rows.push_back({std::string("menu.dat.") + f.name, f.size, false, f.listed, f.sharesByte,
                        f.minValue, MenuFieldMaximum(f), f.list,
                        f.control != 0 ? FieldPage::CameraSetup : FieldPage::None, f.control,
                        nullptr});
    return rows;
}

} // namespace

// Each field once by name, each value its range or list allows storable in its bytes, and each
// control showing one field of its page: a copied row with a stale name, width or control id
// fails here. (Offsets and order are checked where the lists are compiled.)
TEST(FieldLists, EveryRowFitsItsFieldAndOwnsItsControl) {
    std::set<std::string> names;
    std::set<std::pair<FieldPage, int>> controls;
    for (const Row& r : AllRows()) {
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(r.secondList || names.insert(r.name).second);
        if (r.text) {
            EXPECT_LT(r.hi, static_cast<long>(r.size)); // room for the terminator
        } else {
            EXPECT_LE(r.lo, r.hi);
            EXPECT_LT(static_cast<long long>(r.hi), 1LL << (r.size >= 4 ? 31 : 8 * r.size));
        }
        // Every item can be stored.
        EXPECT_TRUE(!r.listed || r.lo + OptionCount(r.list) - 1 <= r.hi);
        EXPECT_EQ(r.page != FieldPage::None, r.control != 0);
        const bool own = r.control == 0 || controls.insert({r.page, r.control}).second;
        EXPECT_TRUE(own || r.secondList);
        if (r.send != nullptr) {
            EXPECT_EQ(FindSendSetField(r.send->name), r.send);
            EXPECT_TRUE(r.control == 0 || SendSetFieldOfControl(r.page, r.control) == r.send);
        }
    }
    EXPECT_EQ(FindSendSetField("nothing"), nullptr);
}
