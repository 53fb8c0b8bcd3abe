// Constant texts of the catalogue, kept exactly as the program shows them: trailing blanks
// and misspellings included.
#include "model/catalogue_data.h"

namespace talvair::catalogue::data {

namespace {

constexpr Text Fixed(std::string_view text) { return {text, {}, {}, false}; }

constexpr Text Lang(std::string_view english, std::string_view spanish,
                    std::string_view portuguese) {
  return {english, spanish, portuguese, true};
}

}  // namespace

const std::array<std::string_view, kLastNamedIndex + 1> kInternalNames = {
    "",                         // 0
    "adj_fleet_fr_profit",      // 1
    "adjcsmsfromquality",       // 2
    "adoption_fraction",        // 3
    "aircraft",                 // 4
    "aircraft_acq_cost",        // 5
    "aircraft_purch_rate",      // 6
    "aircraft_purch_time",      // 7
    "aircraftpurchases",        // 8
    "annual_csm_cost",          // 9
    "arircraft1",               // 10
    "assets",                   // 11
    "assets_old",               // 12
    "authorized_fleet",         // 13
    "avail_seat_miles1",        // 14
    "ave_aircraft_value",       // 15
    "ave_comp_fare",            // 16
    "ave_comp_quality",         // 17
    "ave_csm_prody",            // 18
    "ave_life_aircraft",        // 19
    "ave_qual_novices",         // 20
    "ave_qual_pros",            // 21
    "ave_qual_rookies",         // 22
    "ave_rel_workweek",         // 23
    "ave_revenues",             // 24
    "aveaircraft",              // 25
    "avepasscarried",           // 26
    "average_workweek",         // 27
    "averevenues",              // 28
    "avg_indus_fare",           // 29
    "book_value_fleet",         // 30
    "brkevenloadfact",          // 31
    "brkevenrev",               // 32
    "brkevepass",               // 33
    "capavetime",               // 34
    "capgrrate",                // 35
    "cash_flow",                // 36
    "ch_ave_revenues",          // 37
    "ch_ave_workweek",          // 38
    "ch_zk_perc_qual",          // 39
    "ch_scope_service",         // 40
    "ch_trad_quality",          // 41
    "chaveaircraft",            // 42
    "chavedem",                 // 43
    "chaverev",                 // 44
    "chcompfare",               // 45
    "chngzkcust",               // 46
    "chngpercdindfare",         // 47
    "chpercscopeservice",       // 48
    "comp_attract_to_est",      // 49
    "comp_attract_to_new",      // 50
    "comp_scope_of_serv",       // 51
    "comp_share_tot_cap",       // 52
    "contactsperyr",            // 53
    "cost_of_fleet",            // 54
    "costofservice",            // 55
    "cpsq",                     // 56
    "csm_prody_for_hires",      // 57
    "cum_mkt_value",            // 58
    "cum_net_income",           // 59
    "cum_net_profit",           // 60
    "debt",                     // 61
    "debt_finance_frac",        // 62
    "decideaircraftpurchase",   // 63
    "decidehiring",             // 64
    "decidemarketingfraction",  // 65
    "demavetime",               // 66
    "demgrrate",                // 67
    "depreciation",             // 68
    "des_gro_from_profits",     // 69
    "des_gro_from_share",       // 70
    "des_startup_growth",       // 71
    "deshiringrelcap",          // 72
    "desired_growth_rate",      // 73
    "desiredhiring",            // 74
    "discount_rate",            // 75
    "earnings_per_share",       // 76
    "earningspershare",         // 77
    "eff_fin_incen_prody",      // 78
    "eff_growth_value",         // 79
    "eff_price_est_mkt",        // 80
    "eff_price_new_mkt",        // 81
    "eff_profits_fleet",        // 82
    "eff_workweek_prody",       // 83
    "effcompfareonest",         // 84
    "effcompfareonnew",         // 85
    "effcompqualonest",         // 86
    "effcompqualonnew",         // 87
    "effcompscopeonest",        // 88
    "effcompscopeonnew",        // 89
    "effctmktshoncomp",         // 90
    "effctzkfareonestab",       // 91
    "effctzkfareonnew",         // 92
    "effctzkqualonestab",       // 93
    "effctzkqualonnew",         // 94
    "effctservadqonhir",        // 95
    "effctstockonto",           // 96
    "effctstressonto",          // 97
    "effective_pros",           // 98
    "effloadonquality",         // 99
    "effrelservloadfact",       // 100
    "effservscopeonest",        // 101
    "effservscopeonnew",        // 102
    "employee_turnover",        // 103
    "employeesperplane",        // 104
    "equity",                   // 105
    "equity_per_share",         // 106
    "est_pass_mkt",             // 107
    "exog_hiring",              // 108
    "exog_mktg",                // 109
    "exog_plane_purchase",      // 110
    "exp_growth_profits",       // 111
    "exp_return_on_revs",       // 112
    "expected_profits",         // 113
    "fleet_costs",              // 114
    "fleetgrowthrate",          // 115
    "frac_costs_fleet",         // 116
    "frac_costs_interest",      // 117
    "frac_costs_mktg",          // 118
    "frac_costs_service",       // 119
    "frac_rev_for_mktg",        // 120
    "fraccntctswzkcust",        // 121
    "fract_adopt_rate",         // 122
    "fractional_turnover",      // 123
    "fracto_n",                 // 124
    "fracto_p",                 // 125
    "fracto_r",                 // 126
    "gross_margin",             // 127
    "grossprofit",              // 128
    "grwfrmadv",                // 129
    "grwfrmwrdofmouth",         // 130
    "grwratefrmadv",            // 131
    "grwratefrmwom",            // 132
    "grwratezkcust",            // 133
    "hire_rate",                // 134
    "hiring",                   // 135
    "hiring_capacity",          // 136
    "hiring_team",              // 137
    "hiringtime",               // 138
    "hist_capacity",            // 139
    "hist_mktg_expense",        // 140
    "hist_net_profit",          // 141
    "hist_revenues",            // 142
    "hist_stock_price",         // 143
    "hist_totapassengers",      // 144
    "inc_cum_net_profit",       // 145
    "inc_from_asset_sale",      // 146
    "inc_qual_rookies",         // 147
    "ind_rev_pass_miles",       // 148
    "indicatedloadfactor",      // 149
    "interest",                 // 150
    "interestpayments",         // 151
    "interestrate",             // 152
    "layoffs",                  // 153
    "layoffs_novices",          // 154
    "layoffs_pros",             // 155
    "layoffs_rookies",          // 156
    "liquidation_switch",       // 157
    "load_factor",              // 158
    "lossofcustomers",          // 159
    "market_value",             // 160
    "marketing",                // 161
    "maxgrowthrate",            // 162
    "mkt_growth_rate",          // 163
    "mkt_share",                // 164
    "mkt_val_per_csm",          // 165
    "mkt_val_per_csm0",         // 166
    "mkt_value_of_firm",        // 167
    "mkt_value_per_csm",        // 168
    "mktg_expenditure",         // 169
    "net_aircraft_cost",        // 170
    "net_borrowing",            // 171
    "net_cash_flow",            // 172
    "net_change_csms",          // 173
    "net_income",               // 174
    "net_profit",               // 175
    "netyieldequityissue",      // 176
    "new_hires",                // 177
    "newpassmk",                // 178
    "normal_load_factor",       // 179
    "novice_outlow",            // 180
    "novices",                  // 181
    "operating_costs",          // 182
    "outstanding_shares",       // 183
    "passengercapacity",        // 184
    "passengerscarried",        // 185
    "passmilesperplane",        // 186
    "zk_attract_to_est",        // 187
    "zk_attract_to_new",        // 188
    "zk_debt",                  // 189
    "zk_depreciation",          // 190
    "zk_perc_quality",          // 191
    "zk_pot_frac_sys_cap",      // 192
    "pe_ratio",                 // 193
    "zk_rev_pass_miles",        // 194
    "zk_share_total_cap",       // 195
    "zk_target_market",         // 196
    "zkcustomers",              // 197
    "zkcustomersl",             // 198
    "talvairfare",              // 199
    "zkpotenestmktshare",       // 200
    "zkpotennewmktshare",       // 201
    "percadeqserv",             // 202
    "percdindusfare",           // 203
    "percscopeofservice",       // 204
    "planned_layoffs",          // 205
    "plannedaircraftpurc",      // 206
    "pot_pass_rel_capac",       // 207
    "potcompcostrelzk",         // 208
    "potcompfare",              // 209
    "poten_pas_rel_cap",        // 210
    "potenestzkcust",           // 211
    "potennewzkcust",           // 212
    "potenzkcust",              // 213
    "pricerobust",              // 214
    "prody_of_novices",         // 215
    "prody_of_pros",            // 216
    "prody_of_rookies",         // 217
    "promnp",                   // 218
    "promrn",                   // 219
    "pros",                     // 220
    "pros_outflow",             // 221
    "qual_of_novices",          // 222
    "qual_of_pros",             // 223
    "qual_of_rookies",          // 224
    "qual_perc_time",           // 225
    "qual_rel_to_std",          // 226
    "qualcsmcands",             // 227
    "quality_of_service",       // 228
    "servquality",              // 229
    "quality_standard",         // 230
    "quarter",                  // 231
    "redbvfromsales",           // 232
    "reduct_qual_novices",      // 233
    "reduct_qual_pros",         // 234
    "reduct_qual_rookies",      // 235
    "rel_mktg_coverage",        // 236
    "rel_serv_capacity",        // 237
    "rel_value_per_csm",        // 238
    "relative_workweek",        // 239
    "rev_averaging_time",       // 240
    "rev_mi_per_csm",           // 241
    "rev_miles_per_csm",        // 242
    "revavetime",               // 243
    "revenue",                  // 244
    "revenues",                 // 245
    "revgrrate",                // 246
    "roe",                      // 247
    "rookie_fraction",          // 248
    "rookie_outflow",           // 249
    "rookies",                  // 250
    "scope_of_service",         // 251
    "serveffrelcapacity",       // 252
    "serveffrelreq",            // 253
    "service_cap_req",          // 254
    "service_costs",            // 255
    "service_effort",           // 256
    "servicecapacity",          // 257
    "servicedaysperplane",      // 258
    "shareholders_equity",      // 259
    "shares_issued",            // 260
    "staff_nextdt",             // 261
    "startup_weight",           // 262
    "std_value_per_csm",        // 263
    "stock_price",              // 264
    "switch_exog_hiring",       // 265
    "switch_exog_mktg",         // 266
    "switch_exog_planes",       // 267
    "system_capacity",          // 268
    "target_fleet",             // 269
    "target_serv_scope",        // 270
    "targetcsms",               // 271
    "timetocutcosts",           // 272
    "to_n",                     // 273
    "to_p",                     // 274
    "to_r",                     // 275
    "toexpcsms",                // 276
    "tonewcsms",                // 277
    "total_costs",              // 278
    "total_csm_turnover",       // 279
    "total_csms",               // 280
    "total_csms1",              // 281
    "total_pass_mkt",           // 282
    "total_shares",             // 283
    "trad_formation_time",      // 284
    "traditional_quality",      // 285
    "transfer_qual_np",         // 286
    "transfer_qual_rn",         // 287
    "unit_cost_planes",         // 288
    "unitplaneopcost",          // 289
    "value_of_growth",          // 290
    "value_of_profits",         // 291
    "year",                     // 292
    "yr",                       // 293
    "zero",                     // 294
    "TempPass",                 // 295
    "TempPlanes",               // 296
    "TempRevenue",              // 297
};

const std::array<std::string_view, kLastEquationIndex + 1> kSharedNames = {
    "",                            // 0
    "Adj_Fleet_Fr_Profit",         // 1
    "AdjCSMsFromQuality",          // 2
    "Adoption_Fraction",           // 3
    "",                            // 4
    "Aircraft_Acq_Cost",           // 5
    "Aircraft_Purch_Rate",         // 6
    "Aircraft_Purch_Time",         // 7
    "",                            // 8
    "Annual_CSM_Cost",             // 9
    "Arircraft1",                  // 10
    "Assets",                      // 11
    "Assets_old",                  // 12
    "Authorized_Fleet",            // 13
    "",                            // 14
    "Ave_Aircraft_Value",          // 15
    "",                            // 16
    "Average Competitor Quality",  // 17
    "Ave_CSM_Prody",               // 18
    "Ave_Life_Aircraft",           // 19
    "Ave_Qual_Novices",            // 20
    "Ave_Qual_Pros",               // 21
    "Ave_Qual_Rookies",            // 22
    "Ave_Rel_Workweek",            // 23
    "Ave_Revenues",                // 24
    "AveAircraft",                 // 25
    "AvePassCarried",              // 26
    "",                            // 27
    "AveRevenues",                 // 28
    "Avg_Indus_Fare",              // 29
    "Book_Value_Fleet",            // 30
    "Breakeven Load Factor",       // 31
    "Breakeven Revenue",           // 32
    "Breakeven Passsengers",       // 33
    "CapAveTime",                  // 34
    "",                            // 35
    "Cash Flow",                   // 36
    "Ch_Ave_Revenues",             // 37
    "Ch_Ave_Workweek",             // 38
    "Ch_ZK_Perc_Qual",             // 39
    "Ch_Scope_Service",            // 40
    "Ch_Trad_Quality",             // 41
    "ChAveAircraft",               // 42
    "ChAveDem",                    // 43
    "ChAveRev",                    // 44
    "ChCompFare",                  // 45
    "ChngZKCust",                  // 46
    "ChngPercdIndFare",            // 47
    "ChPercScopeService",          // 48
    "Comp_Attract_to_Est",         // 49
    "Comp_Attract_to_New",         // 50
    "Competitors Service Scope",   // 51
    "Comp_Share_Tot_Cap",          // 52
    "ContactsPerYr",               // 53
    "Cost_of_Fleet",               // 54
    "CostofService",               // 55
    "CPSQ",                        // 56
    "CSM_Prody_For_Hires",         // 57
    "Cumulative Market Value",     // 58
    "Cumulative Net Income",       // 59
    "Cumulative Net Profit",       // 60
    "Debt",                        // 61
    "Debt_Finance_Frac",           // 62
    "",                            // 63
    "",                            // 64
    "",                            // 65
    "DemAveTime",                  // 66
    "",                            // 67
    "",                            // 68
    "Des_Gro_From_Profits",        // 69
    "Des_Gro_From_Share",          // 70
    "Des_Startup_Growth",          // 71
    "DesHiringRelCap",             // 72
    "Desired_Growth_Rate",         // 73
    "DesiredHiring",               // 74
    "Discount_Rate",               // 75
    "Earnings per Share",          // 76
    "EarningsPerShare",            // 77
    "Eff_Fin_Incen_Prody",         // 78
    "Eff_Growth_Value",            // 79
    "Eff_Price_Est_Mkt",           // 80
    "Eff_Price_New_Mkt",           // 81
    "Eff_Profits_Fleet",           // 82
    "Eff_Workweek_Prody",          // 83
    "EffCompFareOnEst",            // 84
    "EffCompFareOnNew",            // 85
    "EffCompQualOnEst",            // 86
    "EffCompQualOnNew",            // 87
    "EffCompScopeOnEst",           // 88
    "EffCompScopeOnNew",           // 89
    "EffctMktShOnComp",            // 90
    "EffctZKFareOnEstab",          // 91
    "EffctZKFareOnNew",            // 92
    "EffctZKQualOnEstab",          // 93
    "EffctZKQualOnNew",            // 94
    "EffctServAdqOnHir",           // 95
    "EffctStockOnTO",              // 96
    "EffctStressOnTO",             // 97
    "Effective_Pros",              // 98
    "EffLoadOnQuality",            // 99
    "EffRelServLoadFact",          // 100
    "EffServScopeOnEst",           // 101
    "EffServScopeOnNew",           // 102
    "Employee Turnover",           // 103
    "",                            // 104
    "Equity",                      // 105
    "Equity_Per_Share",            // 106
    "Est_Pass_Mkt",                // 107
    "Exog_Hiring",                 // 108
    "Exog_Mktg",                   // 109
    "Exog_Plane_Purchase",         // 110
    "Exp_Growth_Profits",          // 111
    "Exp_Return_on_Revs",          // 112
    "Expected_Profits",            // 113
    "",                            // 114
    "FleetGrowthRate",             // 115
    "",                            // 116
    "",                            // 117
    "",                            // 118
    "",                            // 119
    "Frac_Rev_for_Mktg",           // 120
    "FracCntctsWZKCust",           // 121
    "Fract_Adopt_Rate",            // 122
    "Fractional Turnover",         // 123
    "FracTO_N",                    // 124
    "FracTO_P",                    // 125
    "FracTO_R",                    // 126
    "Gross_Margin",                // 127
    "GrossProfit",                 // 128
    "GrwFrmAdv",                   // 129
    "Growth From Word Of Mouth",   // 130
    "GrwRateFrmAdv",               // 131
    "GrwRateFrmWOM",               // 132
    "GrwRateZKCust",               // 133
    "Hire_Rate",                   // 134
    "Hiring",                      // 135
    "Hiring_Capacity",             // 136
    "Hiring_Team",                 // 137
    "HiringTime",                  // 138
    "Hist_Capacity",               // 139
    "Hist_Mktg_Expense",           // 140
    "Hist_Net_Profit",             // 141
    "Hist_Revenues",               // 142
    "Hist_Stock_Price",            // 143
    "Hist_TotaPassengers",         // 144
    "Inc_Cum_Net_Profit",          // 145
    "Inc_From_Asset_Sale",         // 146
    "Inc_Qual_Rookies",            // 147
    "Ind_Rev_Pass_Miles",          // 148
    "IndicatedLoadFactor",         // 149
    "",                            // 150
    "InterestPayments",            // 151
    "InterestRate",                // 152
    "Layoffs",                     // 153
    "Layoffs_Novices",             // 154
    "Layoffs_Pros",                // 155
    "Layoffs_Rookies",             // 156
    "Liquidation_Switch",          // 157
    "Load Factor",                 // 158
    "LossOfCustomers",             // 159
    "Market Value",                // 160
    "",                            // 161
    "MaxGrowthRate",               // 162
    "Mkt_Growth_Rate",             // 163
    "Market Share",                // 164
    "Market Value per Employee",   // 165
    "Mkt_Val_per_CSM0",            // 166
    "Mkt_Value_of_Firm",           // 167
    "Market Value per Employee",   // 168
    "Marketing Expenditure",       // 169
    "Net Aircraft Cost",           // 170
    "Net_Borrowing",               // 171
    "Net_Cash_Flow",               // 172
    "Net Change - Employees",      // 173
    "",                            // 174
    "Net_Profit",                  // 175
    "NetYieldEquityIssue",         // 176
    "",                            // 177
    "NewPassMk",                   // 178
    "Normal_Load_Factor",          // 179
    "Novice_outlow",               // 180
    "Novices",                     // 181
    "",                            // 182
    "",                            // 183
    "Passenger Capacity",          // 184
    "Passengers Carried",          // 185
    "Pass Miles Per Plane",        // 186
    "ZK_Attract_to_Est",           // 187
    "ZK_Attract_to_New",           // 188
    "ZK_Debt",                     // 189
    "",                            // 190
    "ZK_Perc_Quality",             // 191
    "ZK_Pot_Frac_Sys_Cap",         // 192
    "PE_Ratio",                    // 193
    "Revenue Passenger Miles",     // 194
    "ZK_Share_Total_Cap",          // 195
    "ZK_Target_Market",            // 196
    "ZKcustomers",                 // 197
    "ZKCustomersL",                // 198
    "",                            // 199
    "ZKPotenEstMktShare",          // 200
    "ZKPotenNewMktShare",          // 201
    "",                            // 202
    "PercdIndusFare",              // 203
    "PercScopeOfService",          // 204
    "Planned_Layoffs",             // 205
    "PlannedAircraftPurc",         // 206
    "Pot_Pass_Rel_Capac",          // 207
    "PotCompCostRelZK",            // 208
    "PotCompFare",                 // 209
    "Poten_Pas_Rel_Cap",           // 210
    "PotenEstZKCust",              // 211
    "PotenNewZKCust",              // 212
    "PotenZKCust",                 // 213
    "PriceRobust",                 // 214
    "Prody_of_Novices",            // 215
    "Prody_of_Pros",               // 216
    "Prody_of_Rookies",            // 217
    "PromNP",                      // 218
    "PromRN",                      // 219
    "Pros",                        // 220
    "Pros_Outflow",                // 221
    "Qual_of_Novices",             // 222
    "Qual_of_Pros",                // 223
    "Qual_of_Rookies",             // 224
    "Qual_Perc_Time",              // 225
    "Qual_Rel_to_Std",             // 226
    "QualCSMCands",                // 227
    "Quality of Service",          // 228
    "Service Quality ",            // 229
    "Quality Standard",            // 230
    "Quarter",                     // 231
    "RedBVFromSales",              // 232
    "Reduct_Qual_Novices",         // 233
    "Reduct_Qual_Pros",            // 234
    "Reduct_Qual_Rookies",         // 235
    "Rel_Mktg_Coverage",           // 236
    "Rel_Serv_Capacity",           // 237
    "Rel_Value_per_CSM",           // 238
    "Relative_Workweek",           // 239
    "Rev_Averaging_Time",          // 240
    "Revenue Miles Per Employee",  // 241
    "Revenue Miles per Employee",  // 242
    "RevAveTime",                  // 243
    "Revenue",                     // 244
    "",                            // 245
    "",                            // 246
    "ROE",                         // 247
    "",                            // 248
    "Rookie_Outflow",              // 249
    "Rookies",                     // 250
    "",                            // 251
    "Service Eff Rel Capacity",    // 252
    "Service Eff Rel Req",         // 253
    "Service_Cap_Req",             // 254
    "",                            // 255
    "Service_Effort",              // 256
    "ServiceCapacity",             // 257
    "ServiceDaysPerPlane",         // 258
    "Shareholders_Equity",         // 259
    "Shares_Issued",               // 260
    "Staff_NextDT",                // 261
    "Startup_Weight",              // 262
    "Std_Value_Per_CSM",           // 263
    "",                            // 264
    "Switch_Exog_Hiring",          // 265
    "Switch_Exog_Mktg",            // 266
    "Switch_Exog_Planes",          // 267
    "System_Capacity",             // 268
    "Target_Fleet",                // 269
    "",                            // 270
    "TargetCSMs",                  // 271
    "TimeToCutCosts",              // 272
    "To_N",                        // 273
    "To_P",                        // 274
    "TO_R",                        // 275
    "TOExpCSMs",                   // 276
    "TONewCSMs",                   // 277
    "Total Costs",                 // 278
    "Total_CSM_Turnover",          // 279
    "Total Employees",             // 280
    "",                            // 281
    "Total_Pass_Mkt",              // 282
    "Total_Shares",                // 283
    "Trad_Formation_Time",         // 284
    "Traditional_Quality",         // 285
    "Transfer_Qual_NP",            // 286
    "Transfer_Qual_RN",            // 287
    "Unit_Cost_Planes",            // 288
    "UnitPlaneOpCost",             // 289
    "Value_of_Growth",             // 290
    "Value_of_Profits",            // 291
    "YEAR",                        // 292
    "yr",                          // 293
    "Zero",                        // 294
};

const std::array<Label, 57> kLabels = {{
    // rpt_miles_load_factor
    {1, 336, Lang("Load Factor", "Coeficiente de ocupación", "Fator de Carga")},
    // rpt_brkeven_miles_load_factor
    {2, 337,
     Lang("Breakeven Load Factor", "Coeficiente de ocupación de equilibrio",
          "Fator de Carga (breakeven)")},
    // aircraft
    {9, 4, Lang("Aircraft", "Aeronave", "Aeronaves")},
    // aircraftpurchases
    {13, 8, Lang("Aircraft Purchases", "Compra de aeronaves", "Compras de Aeronaves")},
    // avail_seat_miles1
    {19, 14,
     Lang("Available Seat Miles", "Asientos-milla disponibles", "Assentos Disponíveis x Milhas")},
    // ave_comp_fare
    {21, 16,
     Lang("Average Competitor Fare", "Tarifa del competidor promedio",
          "Tarifa Média Concorrentes")},
    // average_workweek
    {32, 27,
     Lang("Average Workweek", "Semana laboral promedio (horas)", "Jornada Semanal Média (horas)")},
    // decideaircraftpurchase
    {68, 63, Lang("Aircraft Purchases", "Compra de aeronaves", "Compras de Aeronaves")},
    // decidehiring
    {69, 64, Lang("Hiring", "Contrataciones", "Contratações")},
    // decidemarketingfraction
    {70, 65, Lang("Marketing Fraction", "% de marketing", "Percentual Marketing")},
    // employeesperplane
    {109, 104, Lang("Employees Per Plane", "Empleados por avión", "Funcionários por Aeronave")},
    // outstanding_shares
    {188, 183, Lang("Outstanding Shares", "Acciones en circulación", "Ações Emitidas")},
    // talvairfare
    {204, 199, Lang("Talvair Fare", "Tarifa de Talvair", "Tarifa Talvair")},
    // percadeqserv
    {207, 202, Lang("Customer Service", "Calidad del servicio", "Qualidade de Serviço")},
    // rookie_fraction
    {253, 248, Lang("Rookie Fraction", "% de 'novatos'", "Percentual de Novatos")},
    // scope_of_service
    {256, 251, Lang("Scope of Service", "Rango de servicios", "Escopo de Serviço")},
    // stock_price
    {269, 264, Lang("Stock Price", "Precio de la acción", "Valor da Ação")},
    // target_serv_scope
    {275, 270,
     Lang("Target Service Scope", "Objetivo Rango de servicios", "Alvo Escopo de Serviço")},
    // total_csms1
    {286, 281, Lang("Total Employees", "Número total de empleados", "Total de Funcionários")},
    // rpt_capgrrate
    {300, 298,
     Lang("Capacity Growth Rate", "Tasa de crecimiento de la capacidad",
          "Taxa Crescimento Capacidade")},
    // rpt_demgrrate
    {301, 299,
     Lang("Demand Growth Rate", "Tasa de crecimiento de la demanda", "Taxa Crescimento Demanda")},
    // rpt_brkevenloadfact
    {303, 301,
     Lang("Breakeven Load Factor", "Coeficiente de ocupación de equilibrio",
          "Fator de Carga (breakeven)")},
    // rpt_employee_turnover
    {304, 302, Lang("Employee Turnover", "Rotación del personal", "Turnover Funcionários")},
    // rpt_revenues
    {305, 305, Lang("Revenues", "Ingresos", "Receita")},
    // rpt_brkevenrev
    {306, 307, Lang("Breakeven Revenue", "Ingreso de equilibrio", "Receita (breakeven)")},
    // rpt_zk_rev_pass_miles
    {307, 308,
     Lang("Revenue Passenger Miles", "Pasajeros pagos-milla", "Receita Passageiro Milhas")},
    // rpt_brkevepass
    {308, 309,
     Lang("Breakeven Passsengers", "Número de pasajeros de equilibrio", "Passageiros (breakeven)")},
    // rpt_avail_seat_miles1
    {309, 310,
     Lang("Available Seat Miles", "Asientos-milla disponibles", "Assentos Disponíveis x Milhas")},
    // rpt_total_csms
    {310, 312, Lang("Total Employees", "Número total de empleados", "Total de Funcionários")},
    // rpt_rookie_fraction
    {311, 313, Lang("Rookie Fraction", "% de 'novatos'", "Percentual de Novatos")},
    // rpt_net_change_csms
    {312, 314,
     Lang("Net Change - Employees", "Cambio neto número de empleados",
          "Funcionários - variação líquida")},
    // rpt_fractional_turnover
    {313, 315, Lang("Fractional Turnover", "Rotación fraccional", "Turnover Percentual")},
    // rpt_average_workweek
    {314, 316,
     Lang("Average Workweek", "Semana laboral promedio (horas)", "Jornada Semanal Média (horas)")},
    // rpt_rev_miles_per_csm
    {315, 317,
     Lang("Revenue Miles per Employee", "Millas pagas por empleado",
          "Receita Milhas por Funcionário")},
    // rpt_mkt_value_per_csm
    {316, 318,
     Lang("Market Value per Employee", "Valor de mercado por empleado",
          "Valor de Mercado por Funcionário")},
    // rpt_assets
    {317, 319, Lang("Assets", "Activos", "Ativo")},
    // rpt_debt
    {318, 320, Lang("Debt", "Deuda", "Passivo")},
    // rpt_equity
    {319, 321, Lang("Equity", "Patrimonio neto", "Valor Líquido")},
    // rpt_fleet_costs
    {320, 311, Lang("Fleet Costs", "Costos de la flota", "Custos de Frota")},
    // rpt_service_costs
    {321, 322, Lang("Service Costs", "Costos del servicio", "Custo Serviços")},
    // rpt_interest
    {322, 323, Lang("Interest Expense", "Intereses", "Despesas com Juros")},
    // rpt_operating_costs
    {323, 324, Lang("Operating Costs", "Costos de operación", "PCustos Operacionais")},
    // rpt_depreciation
    {324, 325, Lang("Depreciation", "Depreciación", "Depreciação")},
    // rpt_net_income
    {325, 306, Lang("Net Income", "Ganancias", "Lucro Líquido")},
    // rpt_net_aircraft_cost
    {326, 326, Lang("Net Aircraft Cost", "Costo neto de aeronaves", "Custo Líquido Aeronave")},
    // rpt_cash_flow
    {327, 327, Lang("Cash Flow", "Flujo de fondos", "Fluxo de Caixa")},
    // rpt_marketing
    {328, 303, Lang("Marketing Costs", "Gastos de marketing", "Custos de Marketing")},
    // rpt_comp_scope_of_serv
    {329, 328,
     Lang("Competitors Service Scope", "Rango de servicios de la competencia",
          "Escopo de Serviço Concorrentes")},
    // rpt_ave_comp_quality
    {330, 329,
     Lang("Average Competitor Quality", "Calidad del competidor promedio",
          "Qualidade Média Concorrentes")},
    // rpt_stock_price
    {331, 330, Lang("Stock Price", "Precio de la acción", "Valor da Ação")},
    // rpt_earnings_per_share
    {332, 331, Lang("Earnings per Share", "Ganancia por acción", "Lucro por Ação")},
    // rpt_outstanding_shares
    {333, 332, Lang("Outstanding Shares", "Acciones en circulación", "Ações Emitidas")},
    // rpt_market_value
    {334, 333, Lang("Market Value", "Valor de mercado ", "Valor de Mercado")},
    // rpt_cum_net_income
    {335, 334, Lang("Cumulative Net Income", "Ganancias acumuladas", "Lucro Líquido Acumulado")},
    // rpt_cum_mkt_value
    {336, 335,
     Lang("Cumulative Market Value", "Valor de mercado acumulado", "Valor de Mercado Acumulado")},
    // rpt_mkt_share
    {337, 304, Lang("Market Share", "Participación de mercado", "Participação de Mercado")},
    // rpt_load_factor
    {338, 300, Lang("Load Factor", "Coeficiente de ocupación", "Fator de Carga")},
}};

const std::array<NameException, 34> kNameExceptions = {{
    // aircraft
    {4, Fixed("Aircraft"), Lang("Aircraft", "Aeronave", "Aeronaves")},
    // aircraftpurchases
    {8, Fixed("AircraftPurchases"),
     Lang("Aircraft Purchases", "Compra de aeronaves", "Compras de Aeronaves")},
    // avail_seat_miles1
    {14, Lang("Available", "Disponibles", "Disponíveis"),
     Lang("Available Seat Miles", "Asientos-milla disponibles", "Assentos Disponíveis x Milhas")},
    // ave_comp_fare
    {16, Lang("Comp", "Comp", "Comp"),
     Lang("Average Competitor Fare", "Tarifa del competidor promedio",
          "Tarifa Média Concorrentes")},
    // average_workweek
    {27,
     Lang("Average Workweek", "Semana laboral promedio (horas)", "Jornada Semanal Média (horas)"),
     Lang("Average Workweek", "Semana laboral promedio (horas)", "Jornada Semanal Média (horas)")},
    // capgrrate
    {35, Fixed("Capacity"), Fixed("Capacity Growth Rate")},
    // decideaircraftpurchase
    {63, Fixed("Decide Aircraft Purchase"),
     Lang("Aircraft Purchases", "Compra de aeronaves", "Compras de Aeronaves")},
    // decidehiring
    {64, Fixed("Decide Hiring"), Lang("Hiring", "Contrataciones", "Contratações")},
    // decidemarketingfraction
    {65, Fixed("Decide Marketing Fraction"),
     Lang("Marketing Fraction", "% de marketing", "Percentual Marketing")},
    // demgrrate
    {67, Fixed("Demand"), Fixed("Demand Growth Rate")},
    // depreciation
    {68, Fixed("Dep'n"), Fixed("Depreciation")},
    // employeesperplane
    {104, Fixed("Employees Per Plane"),
     Lang("Employees Per Plane", "Empleados por avión", "Funcionários por Aeronave")},
    // fleet_costs
    {114, Lang("Fleet", "Flota", "Frota"), Fixed("Fleet Costs")},
    // frac_costs_fleet
    {116, Lang("Fleet", "Flota", "Frota"), Fixed("Frac_Costs_Fleet")},
    // frac_costs_interest
    {117, Lang("Int", "Int", "Juros"), Fixed("Frac_Costs_Interest")},
    // frac_costs_mktg
    {118, Lang("Mktg", "Mktg", "Mktg"), Fixed("Frac_Costs_Mktg")},
    // frac_costs_service
    {119, Lang("Serv", "Serv", "Serv"), Fixed("Frac_Costs_Service")},
    // interest
    {150, Fixed("Int"), Fixed("Interest")},
    // marketing
    {161, Fixed("Mktg"), Fixed("Marketing")},
    // net_income
    {174, Fixed("Net_Income"), Fixed("Net Income")},
    // new_hires
    {177, Lang("New hires", "Contrataciones", "Contratações"), Fixed("New_Hires")},
    // operating_costs
    {182, Fixed("Op Costs"), Fixed("Operating Costs")},
    // outstanding_shares
    {183, Fixed("Outstanding Shares"),
     Lang("Outstanding Shares", "Acciones en circulación", "Ações Emitidas")},
    // zk_depreciation
    {190, Fixed("Depreciation"), Fixed("ZK_Depreciation")},
    // talvairfare
    {199, Lang("ZVk", "ZVk", "ZVk"), Lang("Talvair Fare", "Tarifa de Talvair", "Tarifa Talvair")},
    // percadeqserv
    {202, Lang("Customer Service", "Calidad del servicio", "Qualidade de Serviço"),
     Lang("Customer Service", "Calidad del servicio", "Qualidade de Serviço")},
    // revenues
    {245, Fixed("Rev"), Fixed("Revenues")},
    // revgrrate
    {246, Fixed("Revenue"), Fixed("RevGrRate")},
    // rookie_fraction
    {248, Lang("Rookie Fraction", "% de 'novatos'", "Percentual de Novatos"),
     Lang("Rookie Fraction", "% de 'novatos'", "Percentual de Novatos")},
    // scope_of_service
    {251, Fixed("Scope of Service"),
     Lang("Scope of Service", "Rango de servicios", "Escopo de Serviço")},
    // service_costs
    {255, Fixed("Service"), Fixed("Service Costs")},
    // stock_price
    {264, Lang("Stock Price", "Precio de la acción", "Valor da Ação"),
     Lang("Stock Price", "Precio de la acción", "Valor da Ação")},
    // target_serv_scope
    {270, Fixed("Target Service Scope"),
     Lang("Target Service Scope", "Objetivo Rango de servicios", "Alvo Escopo de Serviço")},
    // total_csms1
    {281, Fixed("Total_CSMs1"),
     Lang("Total Employees", "Número total de empleados", "Total de Funcionários")},
}};

const std::array<Text, kVarCount - kFirstLegendIndex> kLegends = {
    Fixed(""),                                    // 295 TempPass
    Fixed(""),                                    // 296 TempPlanes
    Fixed(""),                                    // 297 TempRevenue
    Lang("Capacity", "Capacidad", "Capacidade"),  // 298 rpt_capgrrate
    Lang("Demand", "Demanda", "Demanda"),         // 299 rpt_demgrrate
    Fixed(""),                                    // 300 rpt_load_factor
    Fixed(""),                                    // 301 rpt_brkevenloadfact
    Lang("Employee Turnover", "Rotación del personal",
         "Turnover Funcionários"),                     // 302 rpt_employee_turnover
    Lang("Mktg", "Mktg", "Mktg"),                      // 303 rpt_marketing
    Fixed(""),                                         // 304 rpt_mkt_share
    Lang("Revenue", "Ingresos", "Receita"),            // 305 rpt_revenues
    Lang("Net Income", "Ganancias", "Lucro Líquido"),  // 306 rpt_net_income
    Lang("Breakeven", "Equilibrio", "Breakeven"),      // 307 rpt_brkevenrev
    Lang("Revenue Passenger Miles", "Pasajeros pagos-milla",
         "Receita Passageiro Milhas"),             // 308 rpt_zk_rev_pass_miles
    Lang("Breakeven", "Equilibrio", "Breakeven"),  // 309 rpt_brkevepass
    Fixed(""),                                     // 310 rpt_avail_seat_miles1
    Lang("Fleet", "Flota", "Frota"),               // 311 rpt_fleet_costs
    Fixed(""),                                     // 312 rpt_total_csms
    Fixed(""),                                     // 313 rpt_rookie_fraction
    Fixed(""),                                     // 314 rpt_net_change_csms
    Fixed(""),                                     // 315 rpt_fractional_turnover
    Fixed(""),                                     // 316 rpt_average_workweek
    Lang("Revenue Miles per Employee", "Millas pagas por empleado",
         "Receita Milhas por Funcionário"),                  // 317 rpt_rev_miles_per_csm
    Fixed(""),                                               // 318 rpt_mkt_value_per_csm
    Lang("Assets", "Activos", "Ativo"),                      // 319 rpt_assets
    Lang("Debt", "Deuda", "Passivo"),                        // 320 rpt_debt
    Lang("Equity", "Patrimonio neto", "Valor Líquido"),      // 321 rpt_equity
    Lang("Serv", "Serv", "Serv"),                            // 322 rpt_service_costs
    Lang("Int", "Int", "Juros"),                             // 323 rpt_interest
    Lang("Op Costs", "Oper", "Oper"),                        // 324 rpt_operating_costs
    Lang("Dep.", "Dep.", "Dep."),                            // 325 rpt_depreciation
    Fixed(""),                                               // 326 rpt_net_aircraft_cost
    Lang("Cash Flow", "Flujo de fondos", "Fluxo de Caixa"),  // 327 rpt_cash_flow
    Fixed(""),                                               // 328 rpt_comp_scope_of_serv
    Fixed(""),                                               // 329 rpt_ave_comp_quality
    Fixed(""),                                               // 330 rpt_stock_price
    Fixed(""),                                               // 331 rpt_earnings_per_share
    Fixed(""),                                               // 332 rpt_outstanding_shares
    Fixed(""),                                               // 333 rpt_market_value
    Lang("Cumulative Net Income", "Ganancias acumuladas",
         "Lucro Líquido Acumulado"),  // 334 rpt_cum_net_income
    Lang("Cumulative Market Value", "Valor de mercado acumulado",
         "Valor de Mercado Acumulado"),            // 335 rpt_cum_mkt_value
    Fixed(""),                                     // 336 rpt_miles_load_factor
    Lang("Breakeven", "Equilibrio", "Breakeven"),  // 337 rpt_brkeven_miles_load_factor
    Lang("Revenue", "Ingresos", "Receita"),        // 338 rpt_revgrrate
};

}  // namespace talvair::catalogue::data
