# The real-peer test: direwolf as the AGWPE server, inside a private network
# namespace. It needs direwolf, gen_packets, unshare and ip, and fails
# without them.
add_executable(peer_direwolf
  ${CMAKE_CURRENT_LIST_DIR}/peer/peer_direwolf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/peer/direwolf_peer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/peer/direwolf_peer.h)
target_link_libraries(peer_direwolf PRIVATE anemora_core Qt6::Test)
add_test(NAME peer_direwolf
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/peer/in_private_network.sh $<TARGET_FILE:peer_direwolf>)
set_tests_properties(peer_direwolf PROPERTIES
  LABELS peer ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
