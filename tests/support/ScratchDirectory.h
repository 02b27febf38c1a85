// A scratch directory for the file built-ins' tests, removed with everything in it when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <fstream>
#include <string>

namespace Morvantis::Testing
{

class ScratchDirectory
{
  public:
    ScratchDirectory() { EXPECT_TRUE(dir_.createDirectory().wasOk()); }
    ~ScratchDirectory() { dir_.deleteRecursively(); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    juce::File file(const char* name) const { return dir_.getChildFile(name); }
    std::string path(const char* name) const { return file(name).getFullPathName().toStdString(); }
    int entries() const { return dir_.getNumberOfChildFiles(juce::File::findFilesAndDirectories); }
    void write(const char* name, const std::string& content) const { std::ofstream(path(name)) << content; }
    std::string read(const char* name) const
    {
        juce::MemoryBlock data;
        file(name).loadFileAsData(data);
        return {static_cast<const char*>(data.getData()), data.getSize()};
    }

  private:
    const juce::File dir_ = juce::File::createTempFile("morvantis-test");
};

} // namespace Morvantis::Testing
