// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/links.h"

#include "catalogue/catalogue.h"
#include "model/dialogs.h"
#include "model/library_locations.h"
#include "model/main_model.h"
#include "platform/path_pieces.h"
#include "platform/shell.h"
#include "platform/sound_player.h"

namespace sonatrix {

std::string ProgramPageAddress(const std::string& appDir, const std::string& page) {
    // A Unix folder already starts with "/"; a drive letter needs the third.
    const std::string scheme = (!appDir.empty() && appDir.front() == '/') ? "file://" : "file:///";
    return scheme + appDir + page;
}

namespace {

std::string Page(const MainModel& model, const char* page) {
    return ProgramPageAddress(model.state.AppDir, page);
}

}  // namespace

void Label6Click(MainModel& model) {
    model.svc.shell.OpenWithDefaultHandler(Page(model, kHomePage));
}

void SpeedButton6Click(MainModel& model) {
    model.svc.shell.OpenWithDefaultHandler(Page(model, kHomePage));
}

void Label7Click(MainModel& model) {
    model.svc.shell.OpenWithDefaultHandler(kAuthorMail);
}

void Label2Click(MainModel& model) {
    model.svc.shell.OpenWithDefaultHandler(Page(model, kSponsorPage));
}

void Label5Click(MainModel& model) {
    model.svc.shell.StartBrowser(Page(model, kOtherGamePage));
}

void Label11Click(MainModel& model) {
    model.svc.shell.StartBrowser(Page(model, kCommentPage));
}

void Button1Click(MainModel& model) {
    model.svc.shell.StartBrowser(model.state.AppDir + kHelpPage);
}

void SpeedButton9Click(MainModel& model) {
    model.svc.player.PlayAsync(ProgramFilePath(model.svc.files, model.state, kIntroMusic));
    model.svc.dialogs.ShowAbout();
}

}  // namespace sonatrix
