#pragma once
// The host's numbers and their WordprocessingML and DrawingML names, both ways. Reading is
// tolerant: a name we do not know reads as the nearest common value.

#include <cstdint>
#include <string>

namespace qv::word::docx {

std::string AlignmentName(int32_t alignment);
int32_t AlignmentFrom(const std::string& name);
std::string VerticalAlignmentName(int32_t alignment);
int32_t VerticalAlignmentFrom(const std::string& name);
std::string BorderStyleName(int32_t lineStyle);
int32_t BorderStyleFrom(const std::string& name);
std::string ShadingPatternName(int32_t texture);
int32_t ShadingPatternFrom(const std::string& name);
std::string HorizontalRelationName(int32_t relative);
int32_t HorizontalRelationFrom(const std::string& name);
std::string VerticalRelationName(int32_t relative);
int32_t VerticalRelationFrom(const std::string& name);
std::string WrapSideName(int32_t side);
int32_t WrapSideFrom(const std::string& name);
std::string PresetGeometryName(int32_t autoShapeType);
int32_t PresetGeometryFrom(const std::string& name);
std::string DashName(int32_t dashStyle);
int32_t DashFrom(const std::string& name);
std::string ViewName(int32_t viewType);
int32_t ViewFrom(const std::string& name);
std::string LineCompoundName(int32_t style);
int32_t LineCompoundFrom(const std::string& name);

}  // namespace qv::word::docx
