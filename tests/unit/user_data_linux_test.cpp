#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/user_data.h"

namespace sonatrix {
namespace {

// Sets an environment variable for one test and puts it back afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (saved_)
            ::setenv(name_, saved_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(UserDataFolder, FollowsXdgDataHomeElseTheHomeDefault) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/of/user");
        ScopedEnv home("HOME", "/home/user");
        EXPECT_EQ(UserDataFolder(), "/data/of/user/sonatrix/");
    }
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        ScopedEnv data("XDG_DATA_HOME", ignored);
        ScopedEnv home("HOME", "/home/user");
        EXPECT_EQ(UserDataFolder(), "/home/user/.local/share/sonatrix/")
            << (ignored ? ignored : "(unset)");
    }
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    EXPECT_EQ(UserDataFolder(), "");
}

}  // namespace
}  // namespace sonatrix
