// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/DataFile.h"
#include "support/TestEnv.h"

#include <QFile>

#include <gtest/gtest.h>

// The data file holds the unlock password: a new file is its owner's alone, an existing one keeps the mode it has.
TEST(DataFileMode, NewFileIsOwnerOnlyAndAnExistingFileKeepsItsMode)
{
    ProgramFolderGuard folder;
    const QString path = folder.file(QStringLiteral("twdata.xml"));
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(DataFile::Write("<tasks/>", path));
    EXPECT_EQ(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), owner);
    const auto shared = owner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, shared));
    ASSERT_TRUE(DataFile::Write("<tasks></tasks>", path));
    EXPECT_EQ(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), shared);
}
