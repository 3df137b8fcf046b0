// The shipped udev rule must open exactly the catalogue's devices: a missing
// line leaves a device unusable, an extra one opens someone else's device.
#include "hid/hid_catalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <utility>

namespace {

TEST(UdevRule, GrantsAccessToTheCatalogueDevicesOnly)
{
    std::ifstream rules(std::string(Q31_SOURCE_DATA_DIR) + "/udev/70-q31.rules");
    ASSERT_TRUE(rules);
    std::set<std::pair<unsigned, unsigned>> granted;
    for (std::string line; std::getline(rules, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        unsigned vendor = 0, product = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="%4x", ATTRS{idProduct}=="%4x")",
                              &vendor, &product), 2) << line;
        EXPECT_NE(line.find(R"(TAG+="uaccess")"), std::string::npos) << line;
        EXPECT_EQ(line.find("MODE"), std::string::npos) << line;
        granted.insert({vendor, product});
    }
    std::set<std::pair<unsigned, unsigned>> catalogue;
    for (const HidInterfaceEntry& row : kHidInterfaceTable)
        catalogue.insert({row.vendorId, row.productId});
    EXPECT_EQ(granted, catalogue);
}

}  // namespace
