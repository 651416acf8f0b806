// Packages: the header lines, hex values and the zlib file around the inventory.
#include "connection/package_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/exception.h"
#include "test_files.h"

namespace rb {
namespace {

TEST(Hex, EncodesUpperCaseAndDecodesForgivingly) {
    EXPECT_EQ(HexEncode("abc"), "616263");
    EXPECT_EQ(HexEncode("Año"), "41F16F");
    EXPECT_EQ(HexEncode(""), "");
    struct Case {
        const char* text;
        std::string bytes;
    };
    const Case cases[] = {
        {"616263", "abc"},       {"41f16F", "Año"},         {"4G41", std::string("\0A", 2)},
        {"414", "A"},            {"", ""},                  {" 1-1", std::string("\0\0", 2)},
        {"0D0A", "\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(HexDecode(c.text), c.bytes) << c.text;
}

TEST(Header, WritesFiveLinesWithTheKeysAsSpelled) {
    EXPECT_EQ(BuildHeaderText({"abc", "", "", ""}),
              "Nombre=616263\r\ntelefono=\r\nobservaciones=\r\nDestino=\r\nfinencabezado\r\n");
}

TEST(Header, ReadsKeysInAnyCaseAndOrderAndDropsOtherLines) {
    THeader h;
    std::string xml;
    ParseHeader("TELEFONO=3132\nVersion=1\nno equals\nnombre=41\r\nnombre=42\r\n"
                "destino=43\rfinencabezado\r\n<a>\n</a>",
                h, xml);
    EXPECT_EQ(h.Telefono, "12");
    EXPECT_EQ(h.Nombre, "B");  // a repeated key overwrites
    EXPECT_EQ(h.Destino, "C");
    EXPECT_EQ(h.Observaciones, "");
    EXPECT_EQ(xml, "<a>\r\n</a>\r\n");
}

TEST(Header, EndsOnlyAtTheExactEndLine) {
    THeader h;
    std::string xml;
    ParseHeader("Nombre=41\r\nFINENCABEZADO\r\n<x/>\r\n", h, xml);
    EXPECT_EQ(xml, "");  // everything was taken for header lines
    ParseHeader(std::string("finencabezado\r\n<x>\0junk", 24), h, xml);
    EXPECT_EQ(xml, "<x>\r\n");
}

class PackageFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("paquete.fzp");
};

TEST_F(PackageFileTest, RoundTripKeepsMultiLineRemarksAndCp1252) {
    const THeader in{"José Peña", "+34 91 555", "línea 1\r\nlínea 2\n", "Soporte"};
    const std::string xml = "<InfoSistema TYPE=\"TXMLSysInfo\">\r\n</InfoSistema>\r\n";
    WritePackageFile(BuildHeaderText(in) + xml, path);
    const std::string raw = ReadBytes(path);
    ASSERT_GE(raw.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(raw[1]), 0xDA);
    THeader out;
    std::string xmlOut;
    ReadPackageFile(path, out, xmlOut);
    EXPECT_EQ(out.Nombre, in.Nombre);
    EXPECT_EQ(out.Telefono, in.Telefono);
    EXPECT_EQ(out.Observaciones, in.Observaciones);
    EXPECT_EQ(out.Destino, in.Destino);
    EXPECT_EQ(xmlOut, xml);
}

TEST_F(PackageFileTest, XmlLinesComeBackWithCrLf) {
    WritePackageFile(BuildHeaderText({"abc", "", "", ""}) + "X\nY", path);
    THeader h;
    std::string xml;
    ReadPackageFile(path, h, xml);
    EXPECT_EQ(h.Nombre, "abc");
    EXPECT_EQ(xml, "X\r\nY\r\n");
}

TEST_F(PackageFileTest, ReplacesAnExistingFile) {
    WriteBytes(path, std::string(200000, 'z'));
    WritePackageFile("corto", path);
    EXPECT_EQ(ReadPackageContent(path), "corto");
}

TEST_F(PackageFileTest, EmptyFileIsAnEmptyPackage) {
    WriteBytes(path, "");
    THeader h{"x", "y", "z", "w"};
    std::string xml = "old";
    ReadPackageFile(path, h, xml);
    EXPECT_EQ(h.Nombre, "");
    EXPECT_EQ(xml, "");
}

TEST_F(PackageFileTest, BadInputGivesClearErrors) {
    std::string big;
    for (int i = 0; i < 5000; ++i) big += "<Device>línea " + std::to_string(i) + "</Device>\r\n";
    WritePackageFile(big, path);
    const std::string whole = ReadBytes(path);

    WriteBytes(path, whole.substr(0, whole.size() / 2));  // cut short in transit
    try {
        ReadPackageContent(path);
        FAIL() << "a truncated package was read";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("incomplete"), std::string::npos) << e.what();
    }
    WriteBytes(path, whole.substr(0, whole.size() - 2));  // only the checksum missing
    EXPECT_THROW(ReadPackageContent(path), Exception);

    WriteBytes(path, "esto no es un paquete");
    try {
        ReadPackageContent(path);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Error while decompressing ZLib stream.");
    }

    WriteBytes(path, whole + "trailing bytes");  // ignored
    EXPECT_EQ(ReadPackageContent(path), big);

    EXPECT_THROW(ReadPackageContent(dir.File("missing.fzp")), Exception);
}

TEST_F(PackageFileTest, StopsADecompressionBomb) {
    WritePackageFile(std::string(3u << 20, '\0'), path);  // 3 MiB of zeros: a few KB packed
    EXPECT_LT(ReadBytes(path).size(), 10000u);
    try {
        ReadPackageContent(path, 1u << 20);
        FAIL() << "the limit was not applied";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("exceeds"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadPackageContent(path).size(), 3u << 20);
}

}  // namespace
}  // namespace rb
