# program/CPrgm_flow.cpp
# x<=y? is false when x equals y
s/else if constexpr (N == 6) b = st.XlteqY();/else if constexpr (N == 6) b = !st.XgtY() \&\& !st.XeqY();/
