// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/main_model.h"

namespace sonatrix {

MainModel::MainModel(Services services, std::string executableFolder, std::string dataFolder)
    : svc(services),
      ExecutableFolder(std::move(executableFolder)),
      DataFolder(std::move(dataFolder)) {
    libraryTree.SetOnChanged([this] { Changed(kAspectLibraryTree); });
}

void MainModel::Changed(unsigned aspects) {
    if (view_)
        view_->StateChanged(aspects);
}

}  // namespace sonatrix
