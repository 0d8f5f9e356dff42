( trap "" TERM; sleep 2.5; echo "U1= 999" > clc; touch marker ) & sleep 1000
