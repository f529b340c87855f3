// Runs without a display drop Qt's platform notices and nothing else.
#include "shell/platformnotices.h"

#include <gtest/gtest.h>

#include <QString>

#include <vector>

TEST(PlatformNoticesTest, OnlyNoticesOfThePlatformLayerAreDropped)
{
    const struct {
        QtMsgType type;
        const char* category;
        const char* text;
        bool dropped;
    } cases[] = {
        {QtWarningMsg, "default", "This plugin does not support propagateSizeHints()", true},
        {QtWarningMsg, "default", "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp'",
         true},
        {QtWarningMsg, "qt.qpa.fonts", "Populating font family aliases took 120 ms", true},
        {QtInfoMsg, "qt.qpa.xcb", "XInput version 2.2", true},
        // Real errors stay, whoever reports them.
        {QtCriticalMsg, "qt.qpa.plugin", "Could not load the Qt platform plugin", false},
        {QtWarningMsg, "default", "QFont::setPointSizeF: Point size <= 0 (0.000000)", false},
        {QtWarningMsg, "qt.core.qobject", "QObject::connect: No such signal", false},
        {QtWarningMsg, nullptr, "QPainter::begin: Paint device returned engine == 0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPlatformNotice(c.type, c.category, QString::fromUtf8(c.text)), c.dropped)
            << c.text;
}

TEST(PlatformNoticesTest, HeadlessRunsAreKnownFromTheCommandLineFirst)
{
    const struct {
        std::vector<const char*> argv;
        const char* environment;  // QT_QPA_PLATFORM; nullptr: not set
        bool headless;
    } cases[] = {
        {{"SplitDuel", "-platform", "offscreen", "live.sda"}, nullptr, true},
        {{"SplitDuel", "--platform", "minimal"}, "xcb", true},
        {{"SplitDuel", "-platform=offscreen:fontengine=freetype"}, nullptr, true},
        {{"SplitDuel", "live.sda"}, "offscreen", true},
        {{"SplitDuel", "-platform", "xcb"}, "offscreen", false},
        {{"SplitDuel", "live.sda"}, nullptr, false},
        {{"SplitDuel", "-platform"}, nullptr, false},
    };
    const QByteArray saved = qgetenv("QT_QPA_PLATFORM");
    const bool wasSet = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    for (const auto& c : cases) {
        if (c.environment)
            qputenv("QT_QPA_PLATFORM", c.environment);
        else
            qunsetenv("QT_QPA_PLATFORM");
        EXPECT_EQ(HeadlessPlatformRequested(int(c.argv.size()), c.argv.data()), c.headless)
            << c.argv.back();
    }
    if (wasSet)
        qputenv("QT_QPA_PLATFORM", saved);
    else
        qunsetenv("QT_QPA_PLATFORM");
}
