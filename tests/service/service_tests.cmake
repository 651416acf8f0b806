# The collecting service's tests beyond the test program (native build; included by the top
# CMakeLists.txt after rbinfo_tests).

# A private PostgreSQL server for the length of the tests (scripts/postgres-cluster.sh): a ctest
# fixture starts it before the first test that needs it and stops it after the last, leaving
# nothing behind. Its address travels in a state file named by RB_TEST_POSTGRES_FILE; where
# PostgreSQL is not installed the file says so and those tests skip with that reason.
set(RB_POSTGRES_STATE ${CMAKE_BINARY_DIR}/postgres-test-server.env)
add_test(NAME postgres_server_start
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/postgres-cluster.sh start ${RB_POSTGRES_STATE})
add_test(NAME postgres_server_stop
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/postgres-cluster.sh stop ${RB_POSTGRES_STATE})
set_tests_properties(postgres_server_start PROPERTIES FIXTURES_SETUP postgres_server)
set_tests_properties(postgres_server_stop PROPERTIES FIXTURES_CLEANUP postgres_server)
set_tests_properties(rbinfo_tests PROPERTIES FIXTURES_REQUIRED postgres_server
                     ENVIRONMENT RB_TEST_POSTGRES_FILE=${RB_POSTGRES_STATE})

# kestrin-load: clients delivering inventories to running services (the load tests below and
# the service benchmark).
add_executable(kestrin-load tests/service/load_driver.cxx tests/service/delivery_load_native.cpp
                            tests/service/delivery_check_native.cpp
                            tests/service/http_post_native.cpp bench/synthetic_inventory.cpp)
target_include_directories(kestrin-load PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/bench)
target_compile_options(kestrin-load PRIVATE ${RB_CHARSET_FLAGS})
target_link_libraries(kestrin-load PRIVATE rb_service)

# The load and fault tests: 10,000 deliveries from 8 clients, one service killed with kill -9
# during the load and started again; two services sharing one PostgreSQL, and one on SQLite.
foreach(store IN ITEMS sqlite postgres)
  add_test(NAME service_load_${store}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/service/load_test.sh ${store}
                   $<TARGET_FILE:kestrin-service> $<TARGET_FILE:kestrin-load>
                   ${CMAKE_SOURCE_DIR}/scripts/postgres-cluster.sh ${RB_POSTGRES_STATE})
  set_tests_properties(service_load_${store} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900)
endforeach()
set_tests_properties(service_load_postgres PROPERTIES FIXTURES_REQUIRED postgres_server)
