// The title as the user sees it on the player's main window: text, trimming,
// colours, shadow, size, and when it changes.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "import_counter.h"
#include "title_pixels.h"

using namespace display_test;
using testing_support::PluginRun;

namespace {

using Keys = std::vector<std::pair<std::string, std::string>>;

const std::string startupTitle = "Qelvar Scrivane II 1.0";
const std::string separator = "   ---   ";

std::unique_ptr<PluginRun> StartPlugin(const Keys& keys, host::HostOptions options = {},
                                       const std::string& tag = "") {
    auto run = std::make_unique<PluginRun>(options, tag);
    WriteSettings(*run, keys);
    EXPECT_EQ(run->Start(), 0);
    return run;
}

host::Image Title(const PluginRun& run, bool doubled = false) {
    TitleLook look;
    look.doubled = doubled;
    look.lineHeight = doubled ? 24 : 12;
    return TitleArea(run.host->CaptureMain(), look);
}

}  // namespace

TEST(TitleDisplay, StartUpTitleGivesWayToTheCaptionAfterForty Ticks);
