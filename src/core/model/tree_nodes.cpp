// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_nodes.h"

namespace sonatrix {

int TreeNode::Level() const {
    int level = -1;
    for (const TreeNode* node = parent_; node; node = node->parent_)
        ++level;
    return level;
}

TreeNode* TreeNode::AddChild(std::string text) {
    children_.push_back(std::make_unique<TreeNode>(std::move(text), this));
    return children_.back().get();
}

const TreeNode* TreeNodes::First() const {
    return root_.Children().empty() ? nullptr : root_.Children().front().get();
}

void TreeNodes::Clear() {
    root_.DeleteChildren();
    NotifyIfIdle();
}

void TreeNodes::EndUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0)
        NotifyIfIdle();
}

void TreeNodes::NotifyIfIdle() {
    if (updateDepth_ == 0 && onChanged_)
        onChanged_();
}

std::size_t TreeNodes::Count() const {
    std::size_t count = 0;
    std::vector<const TreeNode*> pending{&root_};
    while (!pending.empty()) {
        const TreeNode* node = pending.back();
        pending.pop_back();
        count += node->Children().size();
        for (const auto& child : node->Children())
            pending.push_back(child.get());
    }
    return count;
}

int TreeImageIndex(bool hasChildren, bool expanded) {
    if (!hasChildren)
        return 2;
    return expanded ? 1 : 0;
}

}  // namespace sonatrix
