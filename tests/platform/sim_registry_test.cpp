#include "platform/sim/sim_registry.h"

#include <gtest/gtest.h>

#include "platform/registry_contract.h"

namespace {

using rb::platform::RegValueType;
using rb::platform::RootKey;
using rb::platform::SimRegistry;

TEST(SimRegistry, KeepsTheRegistryContract) {
    SimRegistry reg;
    rbtest::CheckRegistryContract(reg, RootKey::CurrentUser, "Software\\rbInfoTests\\Contract",
                                  [&](const std::string& path, const std::string& name,
                                      const std::vector<std::string>& strings) {
                                      reg.SetMultiString(RootKey::CurrentUser, path, name, strings);
                                  });
}

TEST(SimRegistry, KeysAreFoundInAnyCaseAndOnlyUnderTheirRoot) {
    SimRegistry reg;
    reg.SetString(RootKey::LocalMachine, "SOFTWARE\\Kelto\\rbInfo", "Versión", "1.0");
    EXPECT_NE(reg.Find(RootKey::LocalMachine, "software\\KELTO"), nullptr);
    const auto key = reg.Open(RootKey::LocalMachine, "Software\\kelto\\RBINFO", false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString("VERSIÓN"), "1.0");  // accented letters fold too
    EXPECT_EQ(reg.Open(RootKey::CurrentUser, "Software\\Kelto", false), nullptr);
    EXPECT_EQ(reg.Open(RootKey::LocalMachine, "Software\\Kelto\\Otro", false), nullptr);
}

TEST(SimRegistry, DeniedWritesRefuseOpeningForWriteAndCreating) {
    SimRegistry reg;
    reg.AddKey(RootKey::LocalMachine, "Software\\Kelto");
    reg.DenyWrites(RootKey::LocalMachine);
    EXPECT_EQ(reg.Open(RootKey::LocalMachine, "Software\\Kelto", true), nullptr);
    EXPECT_EQ(reg.Create(RootKey::LocalMachine, "Software\\Kelto\\Nuevo"), nullptr);
    EXPECT_EQ(reg.Find(RootKey::LocalMachine, "Software\\Kelto\\Nuevo"), nullptr);
    const auto readOnly = reg.Open(RootKey::LocalMachine, "Software\\Kelto", false);
    ASSERT_NE(readOnly, nullptr);
    EXPECT_FALSE(readOnly->WriteInteger("x", 1));
    EXPECT_FALSE(readOnly->ValueExists("x"));
    // Other roots are untouched.
    EXPECT_NE(reg.Create(RootKey::CurrentUser, "Software\\Kelto"), nullptr);
}

TEST(SimRegistry, WriteCountCountsOnlySuccessfulWritesThroughKeys) {
    SimRegistry reg;
    reg.SetString(RootKey::ClassesRoot, ".fzp", "", "fzpfile");  // filling is no write
    EXPECT_EQ(reg.WriteCount(), 0);
    const auto key = reg.Create(RootKey::ClassesRoot, ".fzp");
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->WriteString("", "fzpfile"));
    EXPECT_TRUE(key->WriteString("", "fzpfile"));  // the same value again still counts
    EXPECT_TRUE(key->WriteBinary("b", {1, 2}));
    EXPECT_EQ(reg.WriteCount(), 3);
    EXPECT_FALSE(reg.Open(RootKey::ClassesRoot, ".fzp", false)->WriteInteger("i", 5));
    EXPECT_EQ(reg.WriteCount(), 3);
}

TEST(SimRegistry, MultiStringsAndTheDefaultValue) {
    SimRegistry reg;
    reg.SetMultiString(RootKey::LocalMachine, "K", "Vacia", {});
    reg.SetString(RootKey::LocalMachine, "K", "", "defecto");
    const auto key = reg.Open(RootKey::LocalMachine, "K", false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ValueType("vacia"), RegValueType::MultiString);
    EXPECT_EQ(key->ReadMultiString("Vacia"), std::vector<std::string>{});
    EXPECT_EQ(key->ReadBinary("Vacia"), std::vector<uint8_t>{0});
    EXPECT_EQ(key->ReadString(""), "defecto");
    EXPECT_EQ(key->ValueNames(), (std::vector<std::string>{"Vacia", ""}));
}

}  // namespace
