#pragma once
// Question tests that look at what the add-in reports: a loopback course host answering every
// request, with the default course host's name mapped to it, and the error reports it received.

#include <string>
#include <vector>

#include "addin/tests/question_fixture.h"
#include "addin/tests/request_fields.h"
#include "online/course_host_name.h"
#include "platform/net/host_overrides.h"
#include "platform/net/testing/loopback_server.h"

namespace qv::addin::testing {

struct ReportingQuestionTest : QuestionTest {
  qv::testing::LoopbackServer server{[](qv::testing::LoopbackServer::Connection& c) {
    c.ReadRequest();
    c.Send(qv::testing::LoopbackServer::Answer("ok"));
  }};

  void SetUp() override {
    QuestionTest::SetUp();
    ASSERT_TRUE(platform::MapHost(online::kDefaultCourseHost, "127.0.0.1", server.Port()));
  }
  // The error reports posted so far (their `msg` field; other requests, such as help pages, left
  // out).
  std::vector<std::string> Reports() const {
    std::vector<std::string> out;
    for (const auto& r : server.Requests())
      if (r.rfind("POST /Err/rptErr.asp", 0) == 0) out.push_back(Field(r, "msg"));
    return out;
  }
};

}  // namespace qv::addin::testing
