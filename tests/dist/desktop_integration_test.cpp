// The files that make the installed program part of the desktop: the codeplug
// MIME type as a desktop's MIME database sees it, and the desktop entry, the
// AppStream data and the MIME type agreeing with each other and with the
// program's own Traditional Chinese conversion.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QMimeDatabase>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "i18n/traditional.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDist = KV3_SOURCE_DIR "/dist";
const char kAppId[] = "example.kv3radio.Programmer";
const char kCodeplugType[] = "application/x-kv3-codeplug";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Codeplug() {
  return ReadFile(KV3_SOURCE_DIR "/data/demo.DAT");
}

// The desktop entry's keys.
std::map<std::string, std::string> DesktopEntry() {
  std::map<std::string, std::string> keys;
  std::istringstream in(ReadFile(kDist / (std::string(kAppId) + ".desktop")));
  for (std::string line; std::getline(in, line);)
    if (auto eq = line.find('='); eq != std::string::npos && line[0] != '#')
      keys[line.substr(0, eq)] = line.substr(eq + 1);
  return keys;
}

// The MIME database that installing the package makes: the system's types and
// ours in one database, built by update-mime-database (the trigger of
// shared-mime-info runs it).
class CodeplugMimeType : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = fs::path(KV3_BINARY_DIR) / ("test-mime-" + std::to_string(getpid()));
    const fs::path packages = root_ / "share/mime/packages";
    fs::remove_all(root_);
    fs::create_directories(packages);
    for (const auto& entry : fs::directory_iterator("/usr/share/mime/packages"))
      fs::copy_file(entry.path(), packages / entry.path().filename());
    fs::copy_file(kDist / "kv3-programmer.xml", packages / "kv3-programmer.xml");
    const std::string command = "PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database " +
                                (root_ / "share/mime").string() + " >/dev/null 2>&1";
    updated_ = std::system(command.c_str()) == 0;
    setenv("XDG_DATA_DIRS", (root_ / "share").string().c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "home").string().c_str(), 1);
  }
  static void TearDownTestSuite() { fs::remove_all(root_); }

  static std::string TypeOf(const std::string& name, const std::string& bytes) {
    const fs::path file = root_ / "files" / name;
    fs::create_directories(file.parent_path());
    WriteFile(file, bytes);
    return QMimeDatabase()
        .mimeTypeForFile(QString::fromStdString(file.string()))
        .name()
        .toStdString();
  }

  static inline fs::path root_;
  static inline bool updated_ = false;
};

TEST_F(CodeplugMimeType, CodeplugsAreKnownByTheirContentWhateverTheirName) {
  if (!fs::exists("/usr/share/mime/packages")) GTEST_SKIP() << "no shared-mime-info";
  ASSERT_TRUE(updated_);
  EXPECT_EQ(TypeOf("CH16.DAT", Codeplug()), kCodeplugType);
  EXPECT_EQ(TypeOf("radio.dat", Codeplug()), kCodeplugType);
  EXPECT_EQ(TypeOf("radio-backup", Codeplug()), kCodeplugType);
  // Other .dat files stay what they are.
  EXPECT_NE(TypeOf("notes.dat", "channel plan for the club\n"), kCodeplugType);
  EXPECT_NE(TypeOf("almost.bin", std::string("MZP4\x00\x01\x02", 7)), kCodeplugType);
  EXPECT_NE(TypeOf("shifted.bin", " MZP48" + std::string(100, '\0')), kCodeplugType);
}

TEST(DesktopEntry, NamesTheProgramIconAndTypeThatAreInstalled) {
  auto keys = DesktopEntry();
  EXPECT_EQ(keys["Exec"], "kv3-programmer %f");
  EXPECT_TRUE(fs::exists(kDist / "icons" / (keys["Icon"] + ".svg"))) << keys["Icon"];
  EXPECT_EQ(keys["MimeType"], std::string(kCodeplugType) + ";");
  EXPECT_NE(ReadFile(kDist / "kv3-programmer.xml").find(std::string("type=\"") + kCodeplugType),
            std::string::npos);
  const std::string metainfo = ReadFile(kDist / (std::string(kAppId) + ".metainfo.xml.in"));
  EXPECT_NE(metainfo.find(std::string("<id>") + kAppId + "</id>"), std::string::npos);
  EXPECT_NE(metainfo.find(std::string(">") + kAppId + ".desktop</launchable>"), std::string::npos);
  EXPECT_NE(metainfo.find(std::string("<mediatype>") + kCodeplugType), std::string::npos);
}

// Traditional Chinese is made from the Simplified text, as everywhere in the
// program, so the desktop's texts never drift from the program's.
TEST(DesktopEntry, TraditionalTextsAreTheConversionOfTheSimplifiedOnes) {
  auto keys = DesktopEntry();
  int pairs = 0;
  for (const auto& [key, value] : keys) {
    if (!key.ends_with("[zh_CN]")) continue;
    const std::string base = key.substr(0, key.size() - 7);
    EXPECT_EQ(keys[base + "[zh_TW]"], kv3::ToTraditional(value)) << base;
    ++pairs;
  }
  EXPECT_GE(pairs, 4);
  for (const char* file : {"kv3-programmer.xml", "example.kv3radio.Programmer.metainfo.xml.in"}) {
    const std::string xml = ReadFile(kDist / file);
    const std::regex simplified(R"re(<(\w+) xml:lang="zh_CN">([^<]*)</\1>)re");
    int found = 0;
    for (std::sregex_iterator it(xml.begin(), xml.end(), simplified), end; it != end; ++it) {
      const std::string element = (*it)[1], text = (*it)[2];
      const std::string traditional =
          "<" + element + " xml:lang=\"zh_TW\">" + kv3::ToTraditional(text) + "</" + element + ">";
      EXPECT_NE(xml.find(traditional), std::string::npos) << file << ": " << traditional;
      ++found;
    }
    EXPECT_GE(found, 1) << file;
  }
}

}  // namespace
