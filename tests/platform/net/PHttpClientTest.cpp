// The HTTP download against a real server on loopback: whole replies, error pages, refused
// connections, cut-off and oversized bodies, and an abort that ends a stalled transfer.
#include "platform/net/PHttpClient.h"
#include "support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{
std::string HttpReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string HttpTempPath(const char* name)
{
    return std::string(::testing::TempDir()) + "/" + name;
}
} // namespace

TEST(HttpDownload, RepliesAreReportedForWhatTheyAre)
{
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Ok());
    struct Case
    {
        const char* what;
        LoopbackHttpServer::Reply reply;
        bool transferred;
        long status;
    };
    const Case cases[] = {
        {"whole reply", {200, "message,up-to-date", 0}, true, 200},
        {"empty reply", {200, "", 0}, true, 200},
        {"error page arrives whole with its status", {404, "not here", 0}, true, 404},
        {"cut-off reply", {200, "message,1.08", 50}, false, 200},
        {"reply over the limit", {200, std::string(5000, 'x'), 0}, false, 200},
    };
    PHttpClient client;
    ASSERT_TRUE(client.Open("test-agent"));
    client.SetTimeouts(2000, 5000);
    client.SetMaxBody(4096);
    const std::string local = HttpTempPath("http_reply.txt");
    for (const Case& c : cases)
    {
        server.SetReply(c.reply);
        const PHttpResult r = client.Download(server.Host(), "/ferrovane/check?&v=1.0", local);
        EXPECT_EQ(r.transferred, c.transferred) << c.what << ": " << r.errorText;
        EXPECT_EQ(r.status, c.status) << c.what;
        if (c.transferred)
        {
            EXPECT_EQ(HttpReadFile(local), c.reply.body) << c.what;
        }
    }
    ASSERT_FALSE(server.RequestLines().empty());
    EXPECT_EQ(server.RequestLines()[0], "GET /ferrovane/check?&v=1.0 HTTP/1.1");
}

TEST(HttpDownload, RefusedConnectionAndMissingFolderFail)
{
    PHttpClient client;
    ASSERT_TRUE(client.Open("test-agent"));
    client.SetTimeouts(2000, 5000);
    const PHttpResult refused = client.Download("127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort()), "/x",
                                                HttpTempPath("refused.txt"));
    EXPECT_FALSE(refused.transferred);
    EXPECT_EQ(refused.status, 0);
    EXPECT_NE(refused.errorCode, 0);

    LoopbackHttpServer server;
    const PHttpResult unwritable = client.Download(server.Host(), "/x", "/nonexistent-folder/reply.txt");
    EXPECT_FALSE(unwritable.transferred);
    EXPECT_EQ(server.Requests(), 0); // nothing is asked when the answer could not be kept

    PHttpClient closed;
    EXPECT_FALSE(closed.Download(server.Host(), "/x", HttpTempPath("closed.txt")).transferred);
    EXPECT_FALSE(client.Download("", "/x", HttpTempPath("nohost.txt")).transferred);
}

TEST(HttpDownload, AbortEndsAStalledTransferQuickly)
{
    // A server that accepts and then says nothing.
    LoopbackHttpServer server;
    LoopbackHttpServer::Reply stall{200, "", 1000, 20000};
    server.SetReply(stall);
    std::atomic<bool> abort{false};
    PHttpClient client;
    ASSERT_TRUE(client.Open("test-agent"));
    client.SetTimeouts(2000, 60000);
    client.SetAbortFlag(&abort);
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        abort = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const PHttpResult r = client.Download(server.Host(), "/x", HttpTempPath("stall.txt"));
    const auto took = std::chrono::steady_clock::now() - start;
    stopper.join();
    EXPECT_FALSE(r.transferred);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 5000);
}
