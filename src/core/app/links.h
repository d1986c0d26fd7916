// SPDX-License-Identifier: GPL-3.0-or-later
// The link, help and About commands, and every address the window opens.
#pragma once

#include <string>

namespace sonatrix {

class MainModel;

// The product has no web site of its own: its pages ship in the program
// folder, so every address is a page beside the executable.
inline constexpr const char* kHomePage = "about.htm";                   // Label6, SpeedButton6
inline constexpr const char* kNewsPage = "news.htm";                    // WebBrowser1
inline constexpr const char* kCommentPage = "about.htm#comment";        // Label11
inline constexpr const char* kOtherGamePage = "about.htm#game";         // Label5
inline constexpr const char* kSponsorPage = "about.htm#sponsor";        // Label2
inline constexpr const char* kAuthorMail = "mailto:?subject=qq sound";  // Label7: no address yet

// A "file://" address for a page of the program folder.
std::string ProgramPageAddress(const std::string& appDir, const std::string& page);

void Label6Click(MainModel& model);        // home page, default handler
void SpeedButton6Click(MainModel& model);  // updates: the home page, default handler
void Label7Click(MainModel& model);        // a mail to the author, default handler
void Label2Click(MainModel& model);        // the sponsor, default handler
void Label5Click(MainModel& model);        // the other free program, in the browser
void Label11Click(MainModel& model);       // the comment section, in the browser
void Button1Click(MainModel& model);       // AppDir + "help.htm", in the browser

// About: the intro music starts, then the About box is shown; the music is
// not stopped when the box closes.
void SpeedButton9Click(MainModel& model);

}  // namespace sonatrix
