#pragma once
// The fixed default course host of this deployment. It lies under a reserved top-level domain, so
// it never reaches a real server unless the platform's host override table maps it (tests and the
// demo map it to the local course host).

namespace qv::online {

inline constexpr const char* kDefaultCourseHost = "courses.quorvanta.example";

}  // namespace qv::online
