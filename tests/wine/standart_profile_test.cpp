// The default profile, standart.pch, through the DLL: Russian names forward
// into ASCII Latin and back, and the limits of going back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/support/host_folder.h"
#include "tests/wine/support/options_block.h"
#include "tests/wine/support/plugin_library.h"

namespace {

class StandartProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string shipped = ReadWholeFile(std::string(TRANSLIT_TEST_PROFILES_DIR) + "\\standart.pch");
    ASSERT_FALSE(shipped.empty());
    host_.AddProfile("standart.pch", shipped);
    plugin_.setDir(host_.dir().c_str());
    plugin_.initialize(nullptr);
  }

  std::string Forward(const std::string& name) { return Convert(name, 0); }
  std::string Reverse(const std::string& name) { return Convert(name, 1); }

  std::string Convert(const std::string& name, std::int32_t direction) {
    OptionsBlock options(plugin_);  // the defaults: standart.pch, both passes
    options.Direction(direction);
    return CallProcess(plugin_, options, "C:\\files\\" + name, true).path.substr(9);
  }

  PluginLibrary plugin_;
  HostFolder host_;
};

// ---- Forward ------------------------------------------------------------------

TEST_F(StandartProfile, RussianNamesBecomeReadableLatin) {
  EXPECT_EQ(Forward("Щукин Юрий Ёжикович.txt"), "Shchukin Yuriy Yozhikovich.txt");
  EXPECT_EQ(Forward("Пётр Ильич Чайковский.mp3"), "Pyotr Il'ich Chaykovskiy.mp3");
  EXPECT_EQ(Forward("Большая Медведица.jpg"), "Bol'shaya Medveditsa.jpg");
  EXPECT_EQ(Forward("Объявление о съезде.doc"), "Ob''yavlenie o s''ezde.doc");
  EXPECT_EQ(Forward("Цыплёнок жареный"), "Tsyplyonok zharenyy");
  EXPECT_EQ(Forward("Хроника, Эхо и Щи (2007).avi"), "Khronika, Ekho i Shchi (2007).avi");
  EXPECT_EQ(Forward("ОТЧЁТ ЗА ИЮНЬ.xls"), "OTCHYOT ZA IYUN'.xls");
}

TEST_F(StandartProfile, EveryRussianLetterTurnsIntoFileNameSafeAscii) {
  std::string all;
  for (int c = 0xC0; c <= 0xFF; ++c) all += static_cast<char>(c);  // А..я
  all += "\xA8\xB8";                                                // Ё ё
  const std::string latin = Forward(all);
  for (char c : latin) {
    const unsigned char u = static_cast<unsigned char>(c);
    EXPECT_TRUE(u >= 0x20 && u < 0x7F) << "not ASCII: " << static_cast<int>(u);
    EXPECT_EQ(std::string("\\/:*?\"<>|").find(c), std::string::npos) << "not allowed: " << c;
  }
}

TEST_F(StandartProfile, LatinLettersAndOtherCharactersStayAsTheyAre) {
  EXPECT_EQ(Forward("Report_2024-05 (final) #3.txt"), "Report_2024-05 (final) #3.txt");
}

// ---- Back again ---------------------------------------------------------------

TEST_F(StandartProfile, ReverseRestoresTheRussianNames) {
  for (const char* name :
       {"Щукин Юрий Ёжикович.txt", "Пётр Ильич Чайковский.mp3", "Большая Медведица.jpg",
        "Объявление о съезде.doc", "Цыплёнок жареный", "Семья", "Мария и Майя",
        "Красный квадрат", "Новый год", "Шахматы", "Вьюга", "Подъём", "Быстрый Выход",
        "ВЫХОД", "ЩУКА", "Царь", "Чайка", "Сергей Николаевич"}) {
    EXPECT_EQ(Reverse(Forward(name)), name) << Forward(name);
  }
}

// What the scheme cannot tell apart on the way back.
TEST_F(StandartProfile, ReverseLimitsAreTheOnesTheInformationLineNames) {
  EXPECT_EQ(Reverse(Forward("Эхо")), "Ехо");          // Э and Е are both E
  EXPECT_EQ(Reverse(Forward("Йод")), "Ёд");           // Й before o reads as Ё
  EXPECT_EQ(Reverse(Forward("Майонез")), "Маёнез");
  EXPECT_EQ(Reverse(Forward("Детский")), "Децкий");   // ТС reads as Ц
}

// ---- Real files ---------------------------------------------------------------

TEST_F(StandartProfile, RenamesAFolderOfFilesAndBackWithNothingLost) {
  const char* names[] = {"Щукин.txt", "Отчёт за июнь.xls", "Семья.jpg", "Цыплёнок.doc"};
  const std::string dir = host_.AddDirectory("files") + "\\";
  for (const char* name : names) host_.AddFile(std::string("files\\") + name, name);

  OptionsBlock forward(plugin_);
  OptionsBlock reverse(plugin_);
  reverse.Direction(1);
  for (const char* name : names) {
    const ProcessResult there = CallProcess(plugin_, forward, dir + name, false);
    ASSERT_FALSE(there.unchanged) << name;
    EXPECT_FALSE(FileExists(dir + name));
    EXPECT_EQ(ReadWholeFile(there.path), name);
    const ProcessResult back = CallProcess(plugin_, reverse, there.path, false);
    EXPECT_EQ(back.path, dir + name);
    EXPECT_EQ(ReadWholeFile(dir + name), name);
  }
}

}  // namespace
