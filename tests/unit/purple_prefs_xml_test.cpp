// SPDX-License-Identifier: GPL-3.0-or-later
// Pidgin's prefs.xml edited in place, each result also loaded by libpurple
// itself (on Linux), which must read the event's file back.
#include <gtest/gtest.h>

#include "command_output.h"
#include "platform/purple_prefs_xml.h"
#include "temp_dir.h"

namespace sonatrix {
namespace {

constexpr const char* kHead =
    "<?xml version='1.0' encoding='UTF-8' ?>\n\n<pref version='1' name='/'>\n";

std::string Prefs(const std::string& body) {
    return kHead + body + "</pref>\n";
}

struct XmlRow {
    const char* name;
    std::string before;
    const char* value;                 // of /pidgin/sound/file/im_recv
    std::optional<std::string> after;  // nothing: refused
};

class PurplePrefsEdit : public ::testing::TestWithParam<XmlRow> {};

TEST_P(PurplePrefsEdit, OnePrefChangesNothingElseMoves) {
    const XmlRow& row = GetParam();
    const auto after = WithPurplePref(row.before, "/pidgin/sound/file/im_recv", "path", row.value);
    ASSERT_EQ(after, row.after);
    if (!after)
        return;
#ifdef SONATRIX_PURPLE_PREFS_READER
    const testing::TempDir folder;
    testing::WriteFile(folder.Path() / "prefs.xml", *after);
    const std::string read =
        testing::CommandOutput(std::string("'") + SONATRIX_PURPLE_PREFS_READER + "' '" +
                               folder.Path().string() + "' im_recv");
    EXPECT_EQ(read.substr(0, read.find('\n')), std::string("file=") + row.value);
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PurplePrefsEdit,
    ::testing::Values(
        XmlRow{"ValueInPlaceEscaped",
               Prefs("\t<pref name='pidgin'>\n\t\t<pref name='sound'>\n\t\t\t<pref name='file'>\n"
                     "\t\t\t\t<pref name='im_recv' type='path' value=''/>\n"
                     "\t\t\t\t<pref name='login' type='path' value='/x &amp; y'/>\n"
                     "\t\t\t</pref>\n\t\t</pref>\n\t</pref>\n"),
               "/tmp/a & b's <新>.wav",
               Prefs("\t<pref name='pidgin'>\n\t\t<pref name='sound'>\n\t\t\t<pref name='file'>\n"
                     "\t\t\t\t<pref name='im_recv' type='path' value='/tmp/a &amp; "
                     "b&apos;s &lt;新&gt;.wav'/>\n"
                     "\t\t\t\t<pref name='login' type='path' value='/x &amp; y'/>\n"
                     "\t\t\t</pref>\n\t\t</pref>\n\t</pref>\n")},
        XmlRow{
            "DoubleQuotesAndCrlfKept",
            "<pref name=\"/\">\r\n<pref name=\"pidgin\"><pref name=\"sound\"><pref "
            "name=\"file\"><pref name=\"im_recv\" type=\"path\" value=\"old\" /></pref></pref>"
            "</pref>\r\n</pref>\r\n",
            "/tmp/\"q\".wav",
            "<pref name=\"/\">\r\n<pref name=\"pidgin\"><pref name=\"sound\"><pref "
            "name=\"file\"><pref name=\"im_recv\" type=\"path\" value=\"/tmp/&quot;q&quot;.wav\" "
            "/></pref></pref></pref>\r\n</pref>\r\n"},
        XmlRow{"MissingPrefAddedIndentedInItsParent",
               Prefs("\t<pref name='pidgin'>\n\t\t<pref name='sound'>\n\t\t\t<pref name='file'>\n"
                     "\t\t\t\t<pref name='login' type='path' value=''/>\n"
                     "\t\t\t</pref>\n\t\t</pref>\n\t</pref>\n"),
               "/tmp/n.wav",
               Prefs("\t<pref name='pidgin'>\n\t\t<pref name='sound'>\n\t\t\t<pref name='file'>\n"
                     "\t\t\t\t<pref name='login' type='path' value=''/>\n"
                     "\t\t\t\t<pref name='im_recv' type='path' value='/tmp/n.wav'/>\n"
                     "\t\t\t</pref>\n\t\t</pref>\n\t</pref>\n")},
        XmlRow{"MissingParentsAddedInAnEmptyOne",
               Prefs("\t<pref name='pidgin'>\n\t\t<pref name='sound'/>\n\t</pref>\n"), "/tmp/n.wav",
               Prefs("\t<pref name='pidgin'>\n\t\t<pref name='sound'>\n\t\t\t<pref name='file'>\n"
                     "\t\t\t\t<pref name='im_recv' type='path' value='/tmp/n.wav'/>\n"
                     "\t\t\t</pref>\n\t\t</pref>\n\t</pref>\n")},
        XmlRow{"UnclosedElement", Prefs("\t<pref name='pidgin'>\n"), "/tmp/n.wav", std::nullopt},
        XmlRow{"UnknownEntity", Prefs("\t<pref name='pidgin' value='&nbsp;'/>\n"), "/tmp/n.wav",
               std::nullopt},
        XmlRow{"NoRootPref", "<?xml version='1.0' ?>\n<prefs/>\n", "/tmp/n.wav", std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(PurplePrefsRead, DecodesReferencesAndTakesTheLastOfTwins) {
    const std::string xml = Prefs(
        "<pref name='a'><pref name='b' value='x'/><pref name='b' "
        "value='&#x65B0;&#26032;'/></pref>");
    EXPECT_EQ(PurplePrefValue(xml, "/a/b"), std::optional<std::string>("新新"));
    EXPECT_EQ(PurplePrefValue(xml, "/a/c"), std::nullopt);
}

}  // namespace
}  // namespace sonatrix
