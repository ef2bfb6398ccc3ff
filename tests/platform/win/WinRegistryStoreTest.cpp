// The settings store on the real registry (under Wine in CI): every value type, the default
// value, deletions with the file store's errors, and batches that exclude each other and roll
// back. Each test works below a key of its own, removed afterwards.
#include "platform/win/WinRegistryStore.h"
#include "text/BrevlinError.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <thread>

using namespace brevlin;
using namespace brevlin::platform;

namespace {

constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;

class WinRegistryStoreTest : public ::testing::Test {
protected:
    std::u16string m_base;
    WinRegistryStore m_store;

    void SetUp() override {
        const std::string id = std::to_string(GetCurrentProcessId()) + "-" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_base = u"Software\\Morvane\\BrevlinTest-" + std::u16string(id.begin(), id.end());
    }
    void TearDown() override {
        const std::wstring path(m_base.begin(), m_base.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }
    std::u16string Key(std::u16string_view sub = {}) const {
        return sub.empty() ? m_base : m_base + u"\\" + std::u16string(sub);
    }
};

std::uint32_t ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const BrevlinError& error) {
        return error.Number();
    }
    return 0;
}

} // namespace

TEST_F(WinRegistryStoreTest, EveryTypeComesBackAsWritten) {
    const RegistryValue text = RegistryValue::FromText(u"<span class=\"kw\">日本語\r\n");
    const RegistryValue number = RegistryValue::FromDword(0xFFFFFFFF);
    const RegistryValue list = RegistryValue::FromList({u"int", u"文字", u"#define"});
    RegistryValue bytes;
    bytes.type = 3; // REG_BINARY
    bytes.bytes = {0, 1, 2, 255};
    m_store.WriteValue(HKCU, Key(u"1"), u"StartTag", text);
    m_store.WriteValue(HKCU, Key(u"1"), u"IgnoreCase", number);
    m_store.WriteValue(HKCU, Key(u"1"), u"Keywords", list);
    m_store.WriteValue(HKCU, Key(u"1"), u"Blob", bytes);
    m_store.WriteValue(HKCU, Key(u"1"), u"", RegistryValue::FromText(u"C"));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"StartTag"), text);
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"ignorecase"), number); // any letter case
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"Keywords"), list);
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"Blob"), bytes);
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u""), RegistryValue::FromText(u"C"));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"Absent"), std::nullopt);
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"2"), u"StartTag"), std::nullopt);
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"Keywords")->type, RegistryValue::MultiString);
    // An empty list and an empty text are values too.
    m_store.WriteValue(HKCU, Key(u"1"), u"Keywords", RegistryValue::FromList({}));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"Keywords"), RegistryValue::FromList({}));
    m_store.WriteValue(HKCU, Key(u"1"), u"EndTag", RegistryValue::FromText(u""));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"EndTag"), RegistryValue::FromText(u""));
}

TEST_F(WinRegistryStoreTest, DeletionsFailAsInTheFileStore) {
    m_store.WriteValue(HKCU, Key(u"1\\1"), u"ClauseStart", RegistryValue::FromText(u"//"));
    EXPECT_EQ(ErrorOf([&] { m_store.DeleteValue(HKCU, Key(u"1\\1"), u"Absent"); }),
              errors::RegistryNotFound);
    EXPECT_EQ(ErrorOf([&] { m_store.DeleteKey(HKCU, Key(u"9")); }), errors::RegistryNotFound);
    EXPECT_EQ(ErrorOf([&] { m_store.DeleteKey(HKCU, Key(u"1")); }), errors::RegistryAccessDenied);
    m_store.DeleteValue(HKCU, Key(u"1\\1"), u"ClauseStart");
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1\\1"), u"ClauseStart"), std::nullopt);
    m_store.DeleteKey(HKCU, Key(u"1\\1"));
    m_store.DeleteKey(HKCU, Key(u"1"));
    EXPECT_EQ(ErrorOf([&] { m_store.DeleteKey(HKCU, Key(u"1")); }), errors::RegistryNotFound);
}

TEST_F(WinRegistryStoreTest, ARolledBackBatchLeavesTheRegistryAsItWas) {
    m_store.WriteValue(HKCU, Key(u"1"), u"", RegistryValue::FromText(u"C"));
    m_store.WriteValue(HKCU, Key(u"1"), u"TabColumns", RegistryValue::FromDword(4));
    m_store.WriteValue(HKCU, Key(u"2"), u"", RegistryValue::FromText(u"Go"));

    m_store.BeginBatch(RegistryStore::BatchMode::Write);
    m_store.WriteValue(HKCU, Key(u"1"), u"TabColumns", RegistryValue::FromDword(8));
    m_store.WriteValue(HKCU, Key(u"1"), u"New", RegistryValue::FromText(u"x"));
    m_store.WriteValue(HKCU, Key(u"3"), u"", RegistryValue::FromText(u"Rust"));
    m_store.DeleteKey(HKCU, Key(u"2"));
    // The batch reads its own writes.
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"TabColumns"), RegistryValue::FromDword(8));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"2"), u""), std::nullopt);
    m_store.RollbackBatch();

    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"TabColumns"), RegistryValue::FromDword(4));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"New"), std::nullopt);
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"2"), u""), RegistryValue::FromText(u"Go"));
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"3"), u""), std::nullopt);
    EXPECT_EQ(ErrorOf([&] { m_store.DeleteKey(HKCU, Key(u"3")); }), errors::RegistryNotFound);

    m_store.BeginBatch(RegistryStore::BatchMode::Write);
    m_store.WriteValue(HKCU, Key(u"1"), u"TabColumns", RegistryValue::FromDword(2));
    m_store.CommitBatch();
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(u"1"), u"TabColumns"), RegistryValue::FromDword(2));
}

TEST_F(WinRegistryStoreTest, AWriterWaitsForAnotherStoresBatch) {
    WinRegistryStore other;
    other.SetLockTimeout(std::chrono::milliseconds(200));
    m_store.BeginBatch(RegistryStore::BatchMode::Write);
    m_store.WriteValue(HKCU, Key(), u"LangCount", RegistryValue::FromDword(1));
    // The same process holds the mutex here; another thread stands for another program.
    std::uint32_t refused = 0;
    std::thread writer([&] {
        refused = ErrorOf(
            [&] { other.WriteValue(HKCU, Key(), u"LangCount", RegistryValue::FromDword(2)); });
    });
    writer.join();
    EXPECT_EQ(refused, errors::PathFileAccess);
    m_store.CommitBatch();
    std::thread after(
        [&] { other.WriteValue(HKCU, Key(), u"LangCount", RegistryValue::FromDword(3)); });
    after.join();
    EXPECT_EQ(m_store.ReadValue(HKCU, Key(), u"LangCount"), RegistryValue::FromDword(3));
    m_store.BeginBatch(RegistryStore::BatchMode::Read);
    EXPECT_THROW(m_store.BeginBatch(RegistryStore::BatchMode::Read), std::logic_error);
    m_store.CommitBatch();
}
