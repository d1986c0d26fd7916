// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace/put_back_asking.h"

#include "model/dialogs.h"
#include "originals/change_run.h"
#include "replace/copy_with_report.h"

namespace sonatrix {

std::string PutBackAsking(ChangeRun& run, Dialogs& dialogs, const std::vector<PutBackItem>& items,
                          const std::string& question) {
    std::string failures;
    const auto fail = [&](const std::string& name, const std::string& reason) {
        failures += (failures.empty() ? "" : "\n") + name + reason;
    };
    std::vector<PutBackItem> changed;
    for (const PutBackItem& item : items) {
        const int error = run.PutBack(item.content, item.name, item.expected);
        if (error == kChangedMeanwhile && !run.Holds(item.name).empty())
            changed.push_back({item.name, item.content, run.Holds(item.name)});
        else if (error != 0)
            fail(item.name, WriteFailureText(error));
    }
    if (changed.empty())
        return failures;
    std::string text = question;
    for (const PutBackItem& item : changed)
        text += "\n" + item.name;
    if (dialogs.MessageDlg(text, DlgType::Confirm, kDlgOK | kDlgCancel) != DlgResult::OK)
        return failures;
    for (const PutBackItem& item : changed) {
        if (const int error = run.PutBack(item.content, item.name, item.expected))
            fail(item.name,
                 error == kChangedMeanwhile ? kChangedWhileAsked : WriteFailureText(error));
    }
    return failures;
}

}  // namespace sonatrix
