#include "model/main_model.h"

namespace sonatrix {

MainModel::MainModel(Services services, std::string executableFolder)
    : svc(services), ExecutableFolder(std::move(executableFolder)) {
    libraryTree.SetOnChanged([this] { Changed(kAspectLibraryTree); });
}

void MainModel::Changed(unsigned aspects) {
    if (view_)
        view_->StateChanged(aspects);
}

}  // namespace sonatrix
