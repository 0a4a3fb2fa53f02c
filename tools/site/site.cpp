// A small stand-in for the maker's web site: answers the ad configuration,
// its pictures and the version check from a folder of files, on the loopback
// interface only.
//
//   ralvinor_site [--port N] [--root DIR]     (--port 0: any free port)
//
// *.php files are served as UTF-8 text after replacing "{site}" with the
// server's own address; every other file is served as it is.

#include <httplib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* kHost = "127.0.0.1";

std::string MimeType(const fs::path& file)
{
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".php" || ext == ".txt")
        return "text/plain; charset=utf-8";
    if (ext == ".html" || ext == ".htm")
        return "text/html; charset=utf-8";
    if (ext == ".jpg" || ext == ".jpeg")
        return "image/jpeg";
    if (ext == ".gif")
        return "image/gif";
    if (ext == ".bmp")
        return "image/bmp";
    if (ext == ".png")
        return "image/png";
    return "application/octet-stream";
}

bool ReadFile(const fs::path& file, std::string& out)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
        text.replace(p, from.size(), to);
}

// The file a request path names inside `root`, or empty when the path
// leaves the folder or names no regular file. "/" and folders mean their
// index.html.
fs::path Resolve(const fs::path& root, const std::string& path)
{
    if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos)
        return {};
    fs::path rel = fs::path(path.substr(1)).lexically_normal();
    if (!rel.empty() && (*rel.begin() == ".." || rel.is_absolute()))
        return {};
    fs::path file = root / rel;
    std::error_code ec;
    if (fs::is_directory(file, ec))
        file /= "index.html";
    const fs::path canonical = fs::weakly_canonical(file, ec);
    if (ec)
        return {};
    const std::string r = root.string();
    const std::string c = canonical.string();
    if (c.compare(0, r.size(), r) != 0 || (c.size() > r.size() && c[r.size()] != '/'))
        return {};
    if (!fs::is_regular_file(canonical, ec))
        return {};
    return canonical;
}

void Usage()
{
    std::cerr << "usage: ralvinor_site [--port N] [--root DIR]\n"
                 "Serves DIR (default: the sample folder tools/site/www) on http://"
              << kHost << ":N/ (default port 8765).\n";
}

} // namespace

int main(int argc, char** argv)
{
    int port = 8765;
    std::string rootArg = RALVINOR_SITE_WWW;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--port" && i + 1 < argc) {
            port = std::atoi(argv[++i]);
        } else if (a == "--root" && i + 1 < argc) {
            rootArg = argv[++i];
        } else {
            Usage();
            return a == "--help" || a == "-h" ? 0 : 2;
        }
    }
    if (port < 0 || port > 65535) {
        Usage();
        return 2;
    }
    std::error_code ec;
    const fs::path root = fs::canonical(rootArg, ec);
    if (ec || !fs::is_directory(root)) {
        std::cerr << "ralvinor_site: no such folder: " << rootArg << "\n";
        return 1;
    }

    httplib::Server server;
    std::string site; // "http://127.0.0.1:PORT", known once bound

    server.Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
        const fs::path file = Resolve(root, req.path);
        std::string body;
        if (file.empty() || !ReadFile(file, body)) {
            res.status = 404;
            res.set_content("not found\n", "text/plain; charset=utf-8");
            return;
        }
        if (file.extension() == ".php")
            ReplaceAll(body, "{site}", site);
        res.set_content(body, MimeType(file));
    });
    server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
        std::printf("%s %s -> %d\n", req.method.c_str(), req.target.c_str(), res.status);
        std::fflush(stdout);
    });

    const int wanted = port;
    if (port == 0)
        port = server.bind_to_any_port(kHost);
    else if (!server.bind_to_port(kHost, port))
        port = -1;
    if (port <= 0) {
        std::cerr << "ralvinor_site: cannot listen on " << kHost << ":" << wanted << "\n";
        return 1;
    }
    site = "http://" + std::string(kHost) + ":" + std::to_string(port);
    std::printf("ralvinor_site: serving %s on %s/\n", root.c_str(), site.c_str());
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}
