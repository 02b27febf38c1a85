// The digests of texts and files, and the checksums, against published vectors.
#include "support/BuiltinTesting.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
using namespace Morvantis::ExpressionUtils;
using namespace Morvantis::ExpressionUtils::Testing;
using Morvantis::Testing::ScratchDirectory;
using namespace std::string_literals;

// Files of a million "a" show that a file's digest covers all of it. The checksums empty the text
// output as the digests do.
TEST(DigestsAndChecksums, DigestsAndChecksumsMatchPublishedVectorsAndRefuse)
{
    const ScratchDirectory scratch;
    scratch.write("million-a", std::string(1000000, 'a'));
    const auto digest = [](const char* name, std::string arg, double size, const char* text) -> Case {
        return {name, {str(std::move(arg))}, size, {}, text};
    };
    check({
        digest("sha256", "abc", 3, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"),
        digest("sha256", "", 0, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"),
        digest("md5", "abc", 3, "900150983cd24fb0d6963f7d28e17f72"),
        digest("md5", "a\0b"s, 3, "70350f6027bce3713f6b76473084309b"),
        digest("sha256_f", scratch.path("million-a"), 1e6,
               "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"),
        digest("md5_f", scratch.path("million-a"), 1e6, "7707d6ae4e027c70eea2a935c2296f21"),
        digest("crc16", "123456789", 0x4B37, ""),
        digest("crc16", "\xFF\x80", 57409, ""),
        digest("crc32", "123456789", 0xCBF43926, ""),
        // Refusals empty the text output too.
        {"sha256_f", {}, 0, "Function 'sha256_f' expects 1 parameters.", ""},
        {"md5", {num(1)}, 0, "Function 'md5' expects 'String' parameter 1.", ""},
        {"crc16", {num(1)}, 0, "Function 'crc16' expects 'String' parameter 1.", ""},
    });

    // What cannot be read gives nothing. No file mode keeps root out, so a root run reads as "nobody" for a while.
    scratch.write("locked", "secret");
    ASSERT_EQ(::chmod(scratch.path("locked").c_str(), 0), 0);
    ASSERT_TRUE(scratch.file("dir").createDirectory().wasOk());
    const bool wasRoot = ::geteuid() == 0;
    if (wasRoot && ::seteuid(65534) != 0)
        GTEST_SKIP() << "running as root and cannot give it up";
    std::vector<Case> cases;
    for (const char* name : {"sha256_f", "md5_f"})
        for (const char* file : {"dir", "missing", "locked"})
            cases.push_back({name, {str(scratch.path(file))}, 0, {}, ""});
    check(cases);
    EXPECT_TRUE(!wasRoot || ::seteuid(0) == 0);
}

} // namespace
