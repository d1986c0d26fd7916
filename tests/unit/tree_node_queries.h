// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the library tree's nodes in tests.
#pragma once

#include <string>
#include <vector>

#include "model/tree_nodes.h"

namespace sonatrix::testing {

// The texts of `parent`'s children, in their order.
inline std::vector<std::string> Texts(const TreeNode& parent) {
    std::vector<std::string> texts;
    for (const auto& child : parent.Children())
        texts.push_back(child->Text());
    return texts;
}

// The child of `parent` with the text `text`, nullptr when there is none.
inline const TreeNode* Child(const TreeNode& parent, const std::string& text) {
    for (const auto& child : parent.Children())
        if (child->Text() == text)
            return child.get();
    return nullptr;
}

}  // namespace sonatrix::testing
