#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLockFile>

#include "support/files.h"
#include "qt/qt_system.h"

namespace koralin {
namespace {

TEST(InstanceLock, TheSecondCopyOnAFolderIsRefused) {
  test::TempFolder folder;
  qt::QtSystem first(folder.path());
  qt::QtSystem second(folder.path());
  EXPECT_FALSE(first.PrevInstance());
  EXPECT_FALSE(first.PrevInstance()) << "asking again does not lock it out";
  EXPECT_TRUE(second.PrevInstance());

  test::TempFolder other;
  qt::QtSystem elsewhere(other.path());
  EXPECT_FALSE(elsewhere.PrevInstance()) << "another settings folder is another program";
}

TEST(InstanceLock, ALockLeftByACrashDoesNotBlock) {
  test::TempFolder folder;
  const std::string lockPath = folder / "koralin-gps.lock";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile lock(QString::fromStdString(lockPath));
    _exit(lock.tryLock(0) ? 0 : 1);  // ends without removing its lock
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(test::Exists(lockPath));

  qt::QtSystem next(folder.path());
  EXPECT_FALSE(next.PrevInstance());
}

}  // namespace
}  // namespace koralin
