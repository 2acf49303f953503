#include "cd/cddb_protocol.h"

#include <gtest/gtest.h>

namespace varlo {
namespace {

TEST(CddbProtocol, HelloRefusesAddressesWithoutUserOrHostAndEncodesTheParts) {
  EXPECT_FALSE(CddbHello("@host"));
  EXPECT_FALSE(CddbHello("user@"));
  EXPECT_FALSE(CddbHello("nobody"));
  EXPECT_FALSE(CddbHello(""));
  EXPECT_EQ(CddbHello("a+b@my host"), "&hello=a%2Bb+my%20host+Varlo+0.1&proto=6");
  // Only the first "@" splits.
  EXPECT_EQ(CddbHello("u@h@x"), "&hello=u+h%40x+Varlo+0.1&proto=6");
}

TEST(CddbProtocol, QueryAndReadAddresses) {
  EXPECT_EQ(CddbQueryAddress("http://s/cddb.cgi?cmd=", "1502ce03", {150, 18785, 36000}, 720,
                             "&hello=u+h+Varlo+0.1&proto=6"),
            "http://s/cddb.cgi?cmd=cddb+query+1502ce03+3+150+18785+36000+720"
            "&hello=u+h+Varlo+0.1&proto=6");
  std::vector<std::int32_t> twelve(12, 150);
  const std::string address = CddbQueryAddress("c=", "x", twelve, 9, "");
  EXPECT_EQ(address, "c=cddb+query+x+12+150+150+150+150+150+150+150+150+150+150+150+150+9");
  EXPECT_EQ(CddbReadAddress("c=", "rock", "1502ce03", "&h"), "c=cddb+read+rock+1502ce03&h");
  EXPECT_EQ(CddbReadAddress("c=", "a&b", "x y", ""), "c=cddb+read+a%26b+x%20y");
}

TEST(CddbProtocol, QueryStatusIsReadAtTheStartOnly) {
  auto exact = ParseCddbQuery("200 rock 1502ce03 Band / Album\r\n");
  EXPECT_EQ(exact.kind, CddbQueryReply::Kind::Exact);
  EXPECT_EQ(exact.category, "rock");
  EXPECT_EQ(exact.discId, "1502ce03");
  EXPECT_EQ(ParseCddbQuery("200 misc 0a0b0c0d\n").discId, "0a0b0c0d");

  EXPECT_EQ(ParseCddbQuery("202 No match found\r\n").kind, CddbQueryReply::Kind::NotFound);
  // A "200 " inside the text is no exact match.
  EXPECT_EQ(ParseCddbQuery("202 No match for 200 rock x\r\n").kind, CddbQueryReply::Kind::NotFound);
  EXPECT_EQ(ParseCddbQuery("211 Found inexact matches\r\nrock a T\r\n.\r\n").kind,
            CddbQueryReply::Kind::Multiple);
  EXPECT_EQ(ParseCddbQuery("210 Found exact matches\nrock a T\nblues b U\n.\n").kind,
            CddbQueryReply::Kind::Multiple);
  // "201 " is no multiple match; errors and garbage are neither.
  EXPECT_EQ(ParseCddbQuery("201 x").kind, CddbQueryReply::Kind::Other);
  const auto corrupt = ParseCddbQuery("403 Database entry is corrupt\r\n");
  EXPECT_EQ(corrupt.kind, CddbQueryReply::Kind::Other);
  EXPECT_EQ(corrupt.status, 403);
  EXPECT_EQ(ParseCddbQuery("<html>200 rock x</html>").status, 0);
  EXPECT_EQ(ParseCddbQuery("2000 rock x").kind, CddbQueryReply::Kind::Other);
  // An exact match whose category or identifier is missing or strange is not followed.
  EXPECT_EQ(ParseCddbQuery("200 rock").kind, CddbQueryReply::Kind::Other);
  EXPECT_EQ(ParseCddbQuery("200 ro&ck 1234").kind, CddbQueryReply::Kind::Other);
}

TEST(CddbProtocol, ReadReplyTitles) {
  const std::string reply =
      "210 rock 1502ce03 CD database entry follows (until terminating `.')\r\n"
      "# xmcd\r\n"
      "DISCID=1502ce03\r\n"
      "DTITLE=AC/DC / Album\r\n"
      "TTITLE0=AC/DC\r\n"
      "TTITLE1=Tab\\there\\nand \\\\ back\r\n"
      "TTITLE2=A long title that the server \n"
      "TTITLE2=split in two\n"
      "TTITLE4=Beyond the disc\r\n"
      "EXTD=TTITLE3=not a title\r\n"
      ".\r\n"
      "TTITLE3=after the end\r\n";
  const auto titles = ParseCddbRead(reply, 4);
  ASSERT_TRUE(titles);
  EXPECT_EQ(*titles, (std::vector<std::string>{"AC/DC", "Tab here and \\ back",
                                               "A long title that the server split in two", ""}));
}

TEST(CddbProtocol, ReadReplyMustBe210AndTextIsPlainUtf8) {
  EXPECT_FALSE(ParseCddbRead("401 Specified CDDB entry not found.\r\n", 3));
  EXPECT_FALSE(ParseCddbRead("<html><body>210 x</body></html>", 3));
  EXPECT_FALSE(ParseCddbRead("", 3));

  // UTF-8 stays, a stray Latin-1 byte becomes its character, control bytes go.
  const auto titles =
      ParseCddbRead("210 a b\nTTITLE0=Caf\xc3\xa9\nTTITLE1=Ol\xe9\x01\x1b[31m\n.\n", 2);
  ASSERT_TRUE(titles);
  EXPECT_EQ((*titles)[0], "Caf\xc3\xa9");
  EXPECT_EQ((*titles)[1], "Ol\xc3\xa9[31m");
  // A disc of more than 99 tracks is read as 99; none is read as none.
  EXPECT_EQ(ParseCddbRead("210 a b\n.\n", 500)->size(), 99u);
  EXPECT_TRUE(ParseCddbRead("210 a b\nTTITLE0=x\n", 0)->empty());
}

}  // namespace
}  // namespace varlo
