// The help pages in English, Traditional and Simplified Chinese stay in step:
// the same sections, and every key the plug-in writes to plugin.ini named in
// each.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "skin_files.h"

namespace {

std::vector<std::string> SectionIds(const std::string& page) {
    std::vector<std::string> ids;
    for (size_t at = page.find(" id=\""); at != std::string::npos; at = page.find(" id=\"", at + 1))
        ids.push_back(page.substr(at + 5, page.find('"', at + 5) - at - 5));
    return ids;
}

// `key` standing alone: FontSize in DS_FontSize does not count.
bool NamesKey(const std::string& page, const std::string& key) {
    const auto partOfName = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (size_t at = page.find(key); at != std::string::npos; at = page.find(key, at + 1))
        if ((at == 0 || !partOfName(page[at - 1])) && !partOfName(page[at + key.size()])) return true;
    return false;
}

TEST(HelpPages, KeepTheSameSectionsAndNameEveryKey) {
    testing_support::PluginRun run;
    ASSERT_EQ(run.Start(), 0);
    run.host->Quit();
    char names[2048] = "";
    GetPrivateProfileStringA("Qelvar Scrivane II", nullptr, "", names, sizeof names, run.scratch.IniPath().c_str());
    std::vector<std::string> keys;
    for (const char* key = names; *key; key += keys.back().size() + 1) keys.push_back(key);
    ASSERT_EQ(keys.size(), 26u);

    const std::vector<std::string> english = SectionIds(host::ReadBytes(run.scratch.HelpPagePath(0)));
    EXPECT_EQ(english.size(), 9u);
    for (int language : {0, 1, 2}) {
        SCOPED_TRACE(run.scratch.HelpPagePath(language));
        const std::string page = host::ReadBytes(run.scratch.HelpPagePath(language));
        EXPECT_EQ(SectionIds(page), english);
        for (const std::string& key : keys) EXPECT_TRUE(NamesKey(page, key)) << key;
    }
}

}  // namespace
