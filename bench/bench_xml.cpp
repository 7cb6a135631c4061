// Schema validation of a large generated document, side by side with
// `xmllint --stream --noout --schema` on the same files in the same run.
// Each validation runs in a child process, so its wall time and peak memory
// (max RSS from wait4) are measured the same way for both.
//
//   bench_xml [megabytes=100] [rounds=5] [folder]
#include "platform/xml/Document.h"
#include "platform/xml/SchemaCache.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kNamespace = "http://nuro.example/esquemas/F9999_00001.xsd";

const char* const kSchema = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema"
           targetNamespace="http://nuro.example/esquemas/F9999_00001.xsd"
           xmlns="http://nuro.example/esquemas/F9999_00001.xsd" elementFormDefault="qualified">
  <xs:simpleType name="tCuit"><xs:restriction base="xs:string">
    <xs:pattern value="[0-9]{11}"/></xs:restriction></xs:simpleType>
  <xs:simpleType name="tTexto"><xs:restriction base="xs:string">
    <xs:maxLength value="60"/></xs:restriction></xs:simpleType>
  <xs:simpleType name="tImporte"><xs:restriction base="xs:decimal">
    <xs:totalDigits value="15"/><xs:fractionDigits value="2"/></xs:restriction></xs:simpleType>
  <xs:simpleType name="tTipo"><xs:restriction base="xs:string">
    <xs:enumeration value="A"/><xs:enumeration value="B"/><xs:enumeration value="C"/>
  </xs:restriction></xs:simpleType>
  <xs:element name="root">
    <xs:complexType><xs:sequence>
      <xs:element name="Declaracion" maxOccurs="unbounded">
        <xs:complexType>
          <xs:sequence>
            <xs:element name="CUIT" type="tCuit"/>
            <xs:element name="Nombre" type="tTexto"/>
            <xs:element name="Fecha" type="xs:date"/>
            <xs:element name="Importe" type="tImporte"/>
            <xs:element name="Item" maxOccurs="unbounded">
              <xs:complexType>
                <xs:sequence>
                  <xs:element name="Codigo" type="tTexto"/>
                  <xs:element name="Cantidad" type="xs:int"/>
                  <xs:element name="Descripcion" type="tTexto"/>
                </xs:sequence>
                <xs:attribute name="Nro" type="xs:positiveInteger" use="required"/>
              </xs:complexType>
            </xs:element>
          </xs:sequence>
          <xs:attribute name="Tipo" type="tTipo" use="required"/>
        </xs:complexType>
      </xs:element>
    </xs:sequence></xs:complexType>
  </xs:element>
</xs:schema>
)";

void generate(const std::string& schemaPath, const std::string& docPath, double megabytes) {
    std::ofstream(schemaPath) << kSchema;
    std::ofstream doc(docPath, std::ios::binary);
    doc << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?><root xmlns=\"" << kNamespace << "\">\r\n";
    const auto target = static_cast<std::uintmax_t>(megabytes * 1024 * 1024);
    std::uintmax_t written = 0;
    std::string line;
    for (long n = 1; written < target; ++n) {
        line = "<Declaracion Tipo=\"" + std::string(1, static_cast<char>('A' + n % 3)) +
               "\"><CUIT>20123456789</CUIT><Nombre><![CDATA[Contribuyente número " +
               std::to_string(n) + "]]></Nombre><Fecha>2024-03-05</Fecha><Importe>" +
               std::to_string(n % 100000) + ".25</Importe>";
        for (int i = 1; i <= 3; ++i)
            line += "<Item Nro=\"" + std::to_string(i) + "\"><Codigo>P-" + std::to_string(n % 977) +
                    "</Codigo><Cantidad>" + std::to_string(i * 7) +
                    "</Cantidad><Descripcion>Mercadería importada</Descripcion></Item>";
        line += "</Declaracion>\r\n";
        doc << line;
        written += line.size();
    }
    doc << "</root>" << std::string(498, ' ') << "\r\n";
}

struct Run {
    double seconds = 0;
    long maxRssKb = 0;
    int status = -1;
};

Run runChild(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Only the exit status counts; xmllint's "validates" would clutter the report.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    Run run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.maxRssKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct Summary {
    double median = 0, best = 0;
    long maxRssKb = 0;
    bool allPassed = true;
};

Summary summarize(std::vector<Run> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
    Summary s;
    s.best = runs.front().seconds;
    s.median = runs[runs.size() / 2].seconds;
    for (const Run& r : runs) {
        s.maxRssKb = std::max(s.maxRssKb, r.maxRssKb);
        s.allPassed = s.allPassed && r.status == 0;
    }
    return s;
}

void report(const char* name, const Summary& s) {
    std::printf("%-8s median %6.3f s   best %6.3f s   max RSS %6.1f MB   %s\n", name, s.median,
                s.best, s.maxRssKb / 1024.0, s.allPassed ? "valid" : "NOT VALID");
}

// Child mode: validate one document the way the system does.
int validate(const char* schemaPath, const char* ns, const char* docPath) {
    xml::SchemaCache cache;
    cache.add(ns, schemaPath);
    xml::Document doc;
    doc.schemas(&cache);
    if (!doc.load(docPath)) {
        std::fprintf(stderr, "%s\n", doc.parseError().reason.c_str());
        return 1;
    }
    return doc.documentElementNamespaceURI() == ns ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--validar") == 0)
        return validate(argv[2], argv[3], argv[4]);

    const double megabytes = argc > 1 ? std::atof(argv[1]) : 100;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::filesystem::path folder = argc > 3 ? std::filesystem::path(argv[3])
                                                  : std::filesystem::temp_directory_path() /
                                                        ("bench_xml." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string schemaPath = (folder / "F9999_00001.xsd").string();
    const std::string docPath = (folder / "F9999_00001.xml").string();
    generate(schemaPath, docPath, megabytes);
    std::printf("document %.1f MB, %d rounds\n",
                std::filesystem::file_size(docPath) / (1024.0 * 1024.0), rounds);

    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<Run> ours, lint;
    for (int i = 0; i < rounds; ++i) {
        ours.push_back(runChild({self, "--validar", schemaPath, kNamespace, docPath}));
        lint.push_back(
            runChild({"xmllint", "--stream", "--noout", "--schema", schemaPath, docPath}));
    }
    const Summary a = summarize(ours);
    const Summary b = summarize(lint);
    report("nuro", a);
    report("xmllint", b);
    std::printf("time ratio nuro/xmllint (median) %.2f\n", a.median / b.median);
    if (argc <= 3)
        std::filesystem::remove_all(folder);
    return a.allPassed && b.allPassed ? 0 : 1;
}
