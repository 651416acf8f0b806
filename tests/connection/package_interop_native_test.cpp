// Packages against another zlib: Python's decompressor reads what the program writes, and the
// program reads what Python's compressor writes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "connection/package_file.h"
#include "test_files.h"

namespace rb {
namespace {

int Python(const std::string& script) {
    return std::system(("python3 -c '" + script + "'").c_str());
}

TEST(PackageInterop, AnyRfc1950ReaderOpensOurPackages) {
    TempDir dir;
    const std::string pkg = dir.File("p.fzp"), plain = dir.File("p.txt");
    const std::string text = BuildHeaderText({"Año", "", "uno\r\ndos", ""}) + "<x>ñ</x>\r\n";
    WritePackageFile(text, pkg);
    ASSERT_EQ(Python("import zlib,sys; open(\"" + plain + "\",\"wb\").write(zlib.decompress("
                     "open(\"" + pkg + "\",\"rb\").read()))"),
              0);
    EXPECT_EQ(ReadBytes(plain), text);
}

TEST(PackageInterop, WeReadPackagesOfAnotherWriter) {
    TempDir dir;
    const std::string pkg = dir.File("q.fzp"), plain = dir.File("q.txt");
    const std::string text = BuildHeaderText({"Peña", "555", "a\r\nb", "Soporte"}) +
                             "<InfoSistema>\r\n</InfoSistema>\r\n";
    WriteBytes(plain, text);
    ASSERT_EQ(Python("import zlib; open(\"" + pkg + "\",\"wb\").write(zlib.compress(open(\"" +
                     plain + "\",\"rb\").read(), 1))"),
              0);
    THeader h;
    std::string xml;
    ReadPackageFile(pkg, h, xml);
    EXPECT_EQ(h.Nombre, "Peña");
    EXPECT_EQ(h.Observaciones, "a\r\nb");
    EXPECT_EQ(h.Destino, "Soporte");
    EXPECT_EQ(xml, "<InfoSistema>\r\n</InfoSistema>\r\n");
}

}  // namespace
}  // namespace rb
