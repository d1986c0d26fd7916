// SPDX-License-Identifier: GPL-3.0-or-later
// The node collection of the library tree: node texts only, no data, the
// order in which nodes were added. The window mirrors it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sonatrix {

class TreeNode {
  public:
    TreeNode(std::string text, TreeNode* parent) : text_(std::move(text)), parent_(parent) {}
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    // The entry's name exactly as the listing returned it (bytes).
    const std::string& Text() const { return text_; }
    // nullptr for the invisible root.
    TreeNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<TreeNode>>& Children() const { return children_; }
    bool HasChildren() const { return !children_.empty(); }
    // 0 for a top-level node (a child of the root).
    int Level() const;

    TreeNode* AddChild(std::string text);
    void DeleteChildren() { children_.clear(); }

  private:
    std::string text_;
    TreeNode* parent_;
    std::vector<std::unique_ptr<TreeNode>> children_;
};

class TreeNodes {
  public:
    TreeNodes() : root_("", nullptr) {}

    // LibraryRootNode: the invisible parent of the top-level nodes; it
    // survives every clearing.
    TreeNode& Root() { return root_; }
    const TreeNode& Root() const { return root_; }

    // The first top-level node, nullptr for an empty tree.
    const TreeNode* First() const;

    // Deletes every node but the root.
    void Clear();

    // Changes between the outermost BeginUpdate and its EndUpdate reach the
    // window in one piece, when the batch closes. Calls nest.
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();
    bool Updating() const { return updateDepth_ > 0; }

    // Called when the outermost batch closes, and after a Clear outside one.
    void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

    // Number of nodes below the root.
    std::size_t Count() const;

  private:
    void NotifyIfIdle();

    TreeNode root_;
    int updateDepth_ = 0;
    std::function<void()> onChanged_;
};

// Closes a batch update on every way out of a scope.
class TreeUpdateBatch {
  public:
    explicit TreeUpdateBatch(TreeNodes& nodes) : nodes_(nodes) { nodes_.BeginUpdate(); }
    ~TreeUpdateBatch() { nodes_.EndUpdate(); }
    TreeUpdateBatch(const TreeUpdateBatch&) = delete;
    TreeUpdateBatch& operator=(const TreeUpdateBatch&) = delete;

  private:
    TreeNodes& nodes_;
};

// The node picture: 0 a folder with a picture (collapsed, with children),
// 1 a plain folder (expanded), 2 a loudspeaker (no children). Selection
// never changes it.
int TreeImageIndex(bool hasChildren, bool expanded);

}  // namespace sonatrix
