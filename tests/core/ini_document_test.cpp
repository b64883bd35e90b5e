#include "core/ini_document.h"

#include <gtest/gtest.h>

using IniDocument::value;
using IniDocument::withValue;

namespace {

std::string read(const QByteArray& text, const char* section, const char* key)
{
  const auto found = value(text, section, key);
  return found ? found->toStdString() : "<missing>";
}

std::string write(const QByteArray& text, const char* section, const char* key, const QByteArray& v)
{
  const auto edited = withValue(text, section, key, v);
  return edited ? edited->toStdString() : "<refused>";
}

} // namespace

TEST(IniDocumentRead, NamesMatchWithoutAsciiCaseAndAroundBlanks)
{
  const QByteArray text = "[ option ]\r\n\t VOLUME = 50 \r\n";
  EXPECT_EQ(read(text, "Option", "Volume"), "50");
  EXPECT_EQ(read(text, " OPTION", "volume "), "50");
  // Latin-1 letters are bytes of multi-byte characters here, never folded.
  EXPECT_EQ(read("[S]\r\n\xC4=1\r\n", "S", "\xE4"), "<missing>");
}

TEST(IniDocumentRead, OnePairOfMatchingOuterQuotesIsRemoved)
{
  const QByteArray text = "[S]\r\n"
                          "d = \"  a b \" \r\n"
                          "s='x'\r\n"
                          "mixed=\"x'\r\n"
                          "lone=\"\r\n"
                          "twice=\"\"x\"\"\r\n"
                          "inner=a\"b\"\r\n"
                          "empty=\r\n";
  EXPECT_EQ(read(text, "S", "d"), "  a b ");
  EXPECT_EQ(read(text, "S", "s"), "x");
  EXPECT_EQ(read(text, "S", "mixed"), "\"x'");
  EXPECT_EQ(read(text, "S", "lone"), "\"");
  EXPECT_EQ(read(text, "S", "twice"), "\"x\"");
  EXPECT_EQ(read(text, "S", "inner"), "a\"b\"");
  EXPECT_EQ(read(text, "S", "empty"), "");
}

TEST(IniDocumentRead, FirstOfDuplicateSectionsAndKeysWins)
{
  const QByteArray text = "[Option]\r\nVolume=1\r\nvolume=2\r\n[OPTION]\r\nVolume=3\r\nmTop=True\r\n";
  EXPECT_EQ(read(text, "Option", "Volume"), "1");
  EXPECT_EQ(read(text, "Option", "mTop"), "<missing>");
}

TEST(IniDocumentRead, LinesEndAtCrLfOrCrLfAndTheLastNeedsNoEnd)
{
  const QByteArray text = "[S]\ra=1\nb=2\r\n\r\nc=3\r\rd=4";
  EXPECT_EQ(read(text, "S", "a"), "1");
  EXPECT_EQ(read(text, "S", "b"), "2");
  EXPECT_EQ(read(text, "S", "c"), "3");
  EXPECT_EQ(read(text, "S", "d"), "4");
}

TEST(IniDocumentRead, WhatIsAHeaderAndWhatIsAKey)
{
  const QByteArray text = "k=before any section\r\n"
                          "[S] trailing text\r\n"
                          "eq=a=b\r\n"
                          "[T\r\n"
                          "no equals sign\r\n"
                          "x=[not a header]\r\n"
                          "  [U]\r\n"
                          "k=u\r\n";
  EXPECT_EQ(read(text, "S", "eq"), "a=b");
  EXPECT_EQ(read(text, "S", "x"), "[not a header]"); // "[T" has no "]", so S goes on
  EXPECT_EQ(read(text, "S", "no equals sign"), "<missing>");
  EXPECT_EQ(read(text, "S", "k"), "<missing>");
  EXPECT_EQ(read(text, "U", "k"), "u");
  EXPECT_EQ(read(text, "Missing", "k"), "<missing>");
  EXPECT_EQ(read("", "S", "k"), "<missing>");
}

TEST(IniDocumentWrite, NewSectionGoesAtTheEndAfterOneEmptyLine)
{
  EXPECT_EQ(write("", "Option", "Volume", "50"), "[Option]\r\nVolume=50\r\n");
  EXPECT_EQ(write("", " Option ", " Volume ", "50"), "[Option]\r\nVolume=50\r\n");
  EXPECT_EQ(write("[A]\r\nx=1", "Option", "Volume", "50"), "[A]\r\nx=1\r\n\r\n[Option]\r\nVolume=50\r\n");
  EXPECT_EQ(write("[A]\r\n\r\n", "Option", "Volume", "50"), "[A]\r\n\r\n[Option]\r\nVolume=50\r\n");
}

TEST(IniDocumentWrite, NewKeyFollowsTheLastNonBlankLineOfItsSection)
{
  EXPECT_EQ(write("[Option]\r\nVolume=50\r\n; note\r\n\r\n[B]\r\nk=v\r\n", "option", "mTop", "True"),
            "[Option]\r\nVolume=50\r\n; note\r\nmTop=True\r\n\r\n[B]\r\nk=v\r\n");
  EXPECT_EQ(write("[Option]\r\n\r\n[B]\r\n", "Option", "mTop", "True"), "[Option]\r\nmTop=True\r\n\r\n[B]\r\n");
  EXPECT_EQ(write("[Option]\r\nVolume=50", "Option", "mTop", "True"), "[Option]\r\nVolume=50\r\nmTop=True\r\n");
}

TEST(IniDocumentWrite, ReplacedKeyKeepsItsSpellingAndPlaceAndEverythingElseStays)
{
  const QByteArray text = "; hand-written\r\n"
                          "[b]\r\n"
                          " z = 1 \r\n"
                          "[OPTION]\r\n"
                          "  VOLUME = 10 \r\n"
                          "volume=11\r\n"
                          "mTop=True\r\n"
                          "[Option]\r\n"
                          "Volume=99\r\n";
  EXPECT_EQ(write(text, "Option", "Volume", "50"),
            "; hand-written\r\n[b]\r\n z = 1 \r\n[OPTION]\r\nVOLUME=50\r\nvolume=11\r\nmTop=True\r\n"
            "[Option]\r\nVolume=99\r\n");
}

TEST(IniDocumentWrite, EveryLineEndsInCrLfAfterAWrite)
{
  EXPECT_EQ(write("[Option]\nA=1\rB=2\r\n\nx", "Option", "A", "0"), "[Option]\r\nA=0\r\nB=2\r\n\r\nx\r\n");
}

TEST(IniDocumentWrite, LineBreaksInAValueBecomeSpaces)
{
  const auto edited = withValue("[Option]\r\n", "Option", "k", "a\r\nb\nc\r[X]");
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->toStdString(), "[Option]\r\nk=a  b c [X]\r\n");
  EXPECT_EQ(read(*edited, "Option", "k"), "a  b c [X]");
}

TEST(IniDocumentWrite, NamesThatCouldNotBeReadBackAreRefused)
{
  for (const char* bad : {"", "  ", "a]b", "[a", "a=b", "a\rb", "a\nb"}) {
    EXPECT_EQ(write("[Option]\r\n", bad, "k", "v"), "<refused>") << "section " << bad;
    EXPECT_EQ(write("[Option]\r\n", "Option", bad, "v"), "<refused>") << "key " << bad;
  }
}

TEST(IniDocumentWrite, AByteOrderMarkIsNoPartOfTheFirstHeaderAndStaysAtTheStart)
{
  const QByteArray bom = "\xEF\xBB\xBF";
  EXPECT_EQ(read(bom + "[Option]\r\nVolume=30\r\n", "Option", "Volume"), "30");
  EXPECT_EQ(read(bom + "Volume=30\r\n", "Option", "Volume"), "<missing>");
  EXPECT_EQ(write(bom + "[Option]\r\nVolume=30\r\n", "Option", "mTop", "True"),
            (bom + "[Option]\r\nVolume=30\r\nmTop=True\r\n").toStdString());
  EXPECT_EQ(write(bom, "Option", "mTop", "True"), (bom + "[Option]\r\nmTop=True\r\n").toStdString());
  // Only a mark that starts the text is one.
  EXPECT_EQ(read("\r\n" + bom + "[Option]\r\nVolume=30\r\n", "Option", "Volume"), "<missing>");
}
